#include "platform/code_page.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>
#include <vector>

namespace murmex {
namespace {

std::vector<std::uint32_t> CodePoints(std::string_view text, EUtf8Read* last = nullptr) {
    std::vector<std::uint32_t> points;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::uint32_t cp = 0;
        const EUtf8Read read = ReadUtf8(text, pos, cp);
        if (last)
            *last = read;
        if (read != EUtf8Read::kOk)
            break;
        points.push_back(cp);
    }
    return points;
}

TEST(Utf8, EverySequenceLengthReadsAndWritesBack) {
    const std::vector<std::uint32_t> points = {'a', 0x105, 0x20AC, 0x1F600};
    std::string text;
    for (std::uint32_t cp : points)
        AppendUtf8(text, cp);
    EXPECT_EQ(text, "a\xC4\x85\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(CodePoints(text), points);
}

TEST(Utf8, BrokenTextSaysHowAndConsumesNothing) {
    EUtf8Read last = EUtf8Read::kOk;
    // A continuation byte with no lead, and a lead followed by ASCII.
    for (std::string_view bad : {std::string_view("\x80"), std::string_view("\xC4"
                                                                            "a")}) {
        std::size_t pos = 0;
        std::uint32_t cp = 7;
        EXPECT_EQ(ReadUtf8(bad, pos, cp), EUtf8Read::kMalformed);
        EXPECT_EQ(pos, 0u);
        EXPECT_EQ(cp, 7u) << "nothing written";
    }
    EXPECT_EQ(CodePoints("z\xE2\x82", &last), std::vector<std::uint32_t>{'z'});
    EXPECT_EQ(last, EUtf8Read::kCutShort);
}

TEST(Utf8, TheCodePageKeepsItsAnswersForBrokenText) {
    // A stray byte is one '?', the text goes on; a sequence cut off by the
    // end is one '?' for all that is left.
    EXPECT_EQ(Utf8ToWin1250("a\x80"
                            "b"),
              "a?b");
    EXPECT_EQ(Utf8ToWin1250("a\xE2\x82"), "a?");
    EXPECT_EQ(Utf8ToWin1250("\xC4\x85\xF0\x9F\x98\x80"), "\xB9?") << "no local form";
}

} // namespace
} // namespace murmex
