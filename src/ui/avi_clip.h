#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

// The frames of a small paletted video clip, decoded once so that playing it
// costs nothing but drawing. Pixels are palette indices, the top row first.
struct SAviClip {
    int width = 0;
    int height = 0;
    int frameIntervalMs = 0;
    // 256 entries, 0xFFRRGGBB; indices past the file's palette are black.
    std::vector<std::uint32_t> palette;
    std::vector<std::vector<std::uint8_t>> frames;
};

// Reads the first video stream of an AVI file whose frames are 8-bit paletted,
// uncompressed or RLE8. A file that is missing, not such a clip, or so damaged
// that not one frame survives gives false and an empty clip; a file cut off in
// the middle keeps the frames that arrived whole.
bool ReadAviFile(const std::string& path, SAviClip& clip);
bool ParseAvi(std::string_view bytes, SAviClip& clip);

// Decodes one RLE8 frame over `pixels` (width * height, top row first), which
// holds the previous frame: runs that skip pixels leave them as they were.
// Pixels that would fall outside the picture are dropped. False when the data
// ends in the middle of a run; what was decoded up to there stays.
bool DecodeRle8(std::string_view data, int width, int height, std::vector<std::uint8_t>& pixels);

} // namespace murmex
