#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace murmex {
namespace {

TEST(CodePage, OnlySixPolishLettersDifferOnTheWire) {
    // ą ś ź Ą Ś Ź in Windows-1250, then letters that share their code, then ASCII.
    std::string text = "\xB9\x9C\x9F\xA5\x8C\x8F\xEA\xB3\xF3\xBF\xF1 az";
    Win1250ToWire(text);
    EXPECT_EQ(text, "\xB1\xB6\xBC\xA1\xA6\xAC\xEA\xB3\xF3\xBF\xF1 az");
    WireToWin1250(text);
    EXPECT_EQ(text, "\xB9\x9C\x9F\xA5\x8C\x8F\xEA\xB3\xF3\xBF\xF1 az");
}

TEST(CodePage, EachByteIsMappedOnce) {
    // 0xB9 (ą) goes to 0xB1, which is not mapped again to something else.
    std::string text = "\xB9\xB1";
    Win1250ToWire(text);
    EXPECT_EQ(text, "\xB1\xB1");
}

TEST(CodePage, Utf8RoundTripOfPolishText) {
    const std::string utf8 = "Zażółć gęślą jaźń ĄĘŚĆŻŹŃÓŁ";
    std::string local = Utf8ToWin1250(utf8);
    EXPECT_EQ(local.size(), std::string("Zazolc gesla jazn ACESZZNOL").size());
    EXPECT_EQ(Win1250ToUtf8(local), utf8);
    EXPECT_EQ(Utf8ToWin1250("zł"), "z\xB3");
}

TEST(CodePage, Utf8WithoutLocalFormBecomesQuestionMark) {
    EXPECT_EQ(Utf8ToWin1250("a\xE2\x98\x83z"), "a?z"); // a snowman
    EXPECT_EQ(Utf8ToWin1250("a\xFFz"), "a?z");         // not UTF-8 at all
    EXPECT_EQ(Utf8ToWin1250("a\xC5"), "a?");           // cut short
}

} // namespace
} // namespace murmex
