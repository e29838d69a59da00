#pragma once

#include "support/wait_for.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace murmex::test {

// Writes small AVI files the way a video tool would, for the player's tests.
struct SAviLayout {
    int width = 4;
    int height = 3;
    std::uint32_t compression = 0; // 0 uncompressed, 1 RLE8
    std::uint16_t bitCount = 8;
    std::uint32_t microsecondsPerFrame = 50000;
    std::uint32_t scale = 1;
    std::uint32_t rate = 20;
    std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    std::vector<std::string> frames; // chunk payloads
    std::string frameChunkId = "00db";
};

std::string BuildAvi(const SAviLayout& layout);
// An uncompressed frame from rows of indices, the top row first.
std::string UncompressedFrame(const std::vector<std::vector<std::uint8_t>>& rows);
std::string SourceFile(const std::string& relative);

} // namespace murmex::test
