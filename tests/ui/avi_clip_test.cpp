#include "support/temp_dir.h"
#include "ui/avi_clip.h"
#include "ui_test_support.h"

#include <fstream>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::BuildAvi;
using test::SAviLayout;
using test::UncompressedFrame;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// 4 x 3 with distinct rows, so a picture upside down or with the row padding
// read as pixels shows.
const std::vector<std::vector<std::uint8_t>> kRows = {{1, 1, 2, 2}, {3, 0, 0, 3}, {2, 2, 1, 1}};
const std::vector<std::uint8_t> kPixels = {1, 1, 2, 2, 3, 0, 0, 3, 2, 2, 1, 1};

TEST(AviClip, ShippedLogoIsAPlayableLoop) {
    SAviClip clip;
    ASSERT_TRUE(ReadAviFile(test::SourceFile("resources/logo1.avi"), clip));
    EXPECT_EQ(clip.width, 48);
    EXPECT_EQ(clip.height, 42);
    EXPECT_EQ(clip.frames.size(), 16u);
    EXPECT_EQ(clip.frameIntervalMs, 80);
    ASSERT_EQ(clip.palette.size(), 256u);
    for (const auto& frame : clip.frames)
        ASSERT_EQ(frame.size(), 48u * 42u);
    // It moves: frames a quarter of the loop apart differ, and its corner is background.
    EXPECT_NE(clip.frames[0], clip.frames[4]);
    EXPECT_EQ(clip.frames[0][0], clip.frames[8][0]);
}

TEST(AviClip, UncompressedFramesComeOutTopRowFirstWithoutPadding) {
    SAviLayout layout;
    layout.frames = {UncompressedFrame(kRows)};
    SAviClip clip;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    ASSERT_EQ(clip.frames.size(), 1u);
    EXPECT_EQ(clip.frames[0], kPixels);
    EXPECT_EQ(clip.palette[1], 0xFFFF0000u);
    EXPECT_EQ(clip.palette[3], 0xFF0000FFu);
    EXPECT_EQ(clip.palette[200], 0xFF000000u); // past the file's palette
    EXPECT_EQ(clip.frameIntervalMs, 50);
}

TEST(AviClip, FrameRateFallsBackToTheStreamAndStaysSane) {
    SAviLayout layout;
    layout.frames = {UncompressedFrame(kRows)};
    layout.microsecondsPerFrame = 0;
    layout.scale = 1;
    layout.rate = 4;
    SAviClip clip;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    EXPECT_EQ(clip.frameIntervalMs, 250);

    layout.rate = 0;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    EXPECT_EQ(clip.frameIntervalMs, 100); // nothing usable: a default

    // A frame every microsecond would spin the timer.
    layout.microsecondsPerFrame = 1;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    EXPECT_EQ(clip.frameIntervalMs, 10);
    layout.microsecondsPerFrame = 0;
    layout.rate = 1000000;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    EXPECT_EQ(clip.frameIntervalMs, 10);
}

TEST(AviClip, EmptyChunkRepeatsThePreviousFrame) {
    SAviLayout layout;
    layout.frames = {UncompressedFrame(kRows), ""};
    SAviClip clip;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    ASSERT_EQ(clip.frames.size(), 2u);
    EXPECT_EQ(clip.frames[1], kPixels);
}

TEST(AviClip, Rle8RunsLiteralsAndEndOfLine) {
    std::vector<std::uint8_t> pixels(4 * 3, 9);
    // Bottom row first: a run, then a literal of three padded to even, then a
    // short row ended early (keeps what was there), then the end.
    const std::string data("\x04\x02\x00\x00"         // bottom: 2 2 2 2
                           "\x00\x03\x05\x06\x07\x00" // middle: 5 6 7, then
                           "\x01\x08\x00\x00"         //         8
                           "\x02\x01\x00\x01",        // top: 1 1 (rest kept)
                           18);
    EXPECT_TRUE(DecodeRle8(data, 4, 3, pixels));
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{1, 1, 9, 9, 5, 6, 7, 8, 2, 2, 2, 2}));
}

TEST(AviClip, Rle8DeltaKeepsThePreviousPicture) {
    std::vector<std::uint8_t> pixels = kPixels;
    // Skip 1 right and 1 up from the bottom-left corner, paint two pixels.
    const std::string data("\x00\x02\x01\x01\x02\x04\x00\x01", 8);
    EXPECT_TRUE(DecodeRle8(data, 4, 3, pixels));
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{1, 1, 2, 2, 3, 4, 4, 3, 2, 2, 1, 1}));
}

TEST(AviClip, Rle8NeverWritesOutsideThePicture) {
    std::vector<std::uint8_t> pixels(4 * 3, 0);
    // A run far past the row's end, a delta beyond the top, a literal after it.
    const std::string data("\xff\x05\x00\x02\xff\xff\x00\x03\x01\x02\x03\x00", 12);
    DecodeRle8(data, 4, 3, pixels);
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 5}));

    // Data that stops in the middle of a literal keeps what it had.
    std::vector<std::uint8_t> cut(4 * 3, 0);
    EXPECT_FALSE(DecodeRle8(std::string("\x02\x07\x00\x04\x01", 5), 4, 3, cut));
    EXPECT_EQ(cut[8], 7);
    EXPECT_EQ(cut[9], 7);
}

TEST(AviClip, RleClipDecodesEachFrameOverTheLast) {
    SAviLayout layout;
    layout.compression = 1;
    layout.frameChunkId = "00dc";
    layout.frames = {std::string("\x04\x01\x00\x00\x04\x02\x00\x00\x04\x03\x00\x01", 12),
                   std::string("\x00\x02\x00\x02\x01\x00\x00\x01", 8)}; // only the top-left pixel
    SAviClip clip;
    ASSERT_TRUE(ParseAvi(BuildAvi(layout), clip));
    ASSERT_EQ(clip.frames.size(), 2u);
    EXPECT_EQ(clip.frames[0], (std::vector<std::uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
    EXPECT_EQ(clip.frames[1], (std::vector<std::uint8_t>{0, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(AviClip, RefusesWhatItCannotShow) {
    SAviClip clip;
    EXPECT_FALSE(ParseAvi("", clip));
    EXPECT_FALSE(ParseAvi("RIFF\x04\0\0\0WAVE", clip));
    EXPECT_FALSE(ParseAvi(std::string(5000, '\xAB'), clip));

    SAviLayout layout;
    layout.frames = {UncompressedFrame(kRows)};
    layout.bitCount = 24;
    EXPECT_FALSE(ParseAvi(BuildAvi(layout), clip));
    layout.bitCount = 8;
    layout.compression = 2; // RLE4
    EXPECT_FALSE(ParseAvi(BuildAvi(layout), clip));
    layout.compression = 0;
    layout.width = 100000; // a size no frame here matches, and no memory should be spent on
    EXPECT_FALSE(ParseAvi(BuildAvi(layout), clip));
    layout.width = 4;
    layout.frames = {std::string(5, '\x01')}; // shorter than a frame
    EXPECT_FALSE(ParseAvi(BuildAvi(layout), clip));
    EXPECT_TRUE(clip.frames.empty());
    EXPECT_EQ(clip.width, 0);

    layout.frames = {UncompressedFrame(kRows)};
    layout.frameChunkId = "01db"; // a stream the clip does not have
    EXPECT_FALSE(ParseAvi(BuildAvi(layout), clip));
}

TEST(AviClip, CutOffFileKeepsTheFramesThatArrivedWhole) {
    const std::string whole = ReadAll(test::SourceFile("resources/logo1.avi"));
    ASSERT_FALSE(whole.empty());
    std::size_t previous = 0;
    // Every length up to the whole: never a crash, never a frame more than
    // what is complete, and the count only grows.
    for (std::size_t length = 0; length <= whole.size(); length += 7) {
        SAviClip clip;
        ParseAvi(std::string_view(whole).substr(0, length), clip);
        ASSERT_GE(clip.frames.size(), previous) << length;
        ASSERT_LE(clip.frames.size(), 16u);
        previous = clip.frames.size();
    }
    EXPECT_GT(previous, 10u);

    SAviClip clip;
    // Cut inside the header: nothing.
    EXPECT_FALSE(ParseAvi(std::string_view(whole).substr(0, 200), clip));
}

TEST(AviClip, MissingOrUnreadableFilesGiveNothing) {
    test::CTempDataDir dir;
    SAviClip clip;
    EXPECT_FALSE(ReadAviFile(dir.File("no-such.avi"), clip));
    EXPECT_FALSE(ReadAviFile(dir.Path(), clip)); // a directory
    dir.WriteFile("garbage.avi", "RIFF\xff\xff\xff\x7f"
                                 "AVI LIST\xff\xff\xff\x7fhdrl");
    EXPECT_FALSE(ReadAviFile(dir.File("garbage.avi"), clip));
    EXPECT_TRUE(clip.frames.empty());
}

} // namespace
} // namespace murmex
