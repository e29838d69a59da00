#include "counter/tariff.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

std::vector<std::string> Settings(const Tariff& tariff) {
    std::vector<std::string> out;
    for (const auto& p : tariff.Periods())
        out.push_back(Tariff::PeriodSetting(p));
    return out;
}

TEST(TariffTest, RangeCoversBothEndMinutesAndWritesBackAsOnePeriod) {
    Tariff t;
    ASSERT_TRUE(t.SetRange("8:0-17:59", 120));
    // 8:00 is minute 480 and 17:59 is minute 1079.
    EXPECT_EQ(t.LookupMinute(479), 180);
    EXPECT_EQ(t.LookupMinute(480), 120);
    EXPECT_EQ(t.LookupMinute(1079), 120);
    EXPECT_EQ(t.LookupMinute(1080), 180);
    EXPECT_EQ(Settings(t), std::vector<std::string>{"8:0-17:59!120"});
    EXPECT_EQ(t.Periods().front(), (TariffPeriod{8, 0, 17, 59, 120}));
}

TEST(TariffTest, ReversedOrMalformedRangesChangeNothing) {
    Tariff t;
    EXPECT_FALSE(t.SetRange("17:0-8:0", 120));
    EXPECT_FALSE(t.SetRange("8:00", 120)); // no end at all
    EXPECT_TRUE(t.Periods().empty());
    // A time without a colon is whole hours.
    EXPECT_TRUE(t.SetRange("22-23", 60));
    EXPECT_EQ(Settings(t), std::vector<std::string>{"22:0-23:0!60"});
}

TEST(TariffTest, AdjacentRangesMergeAndZeroLengthSplitsOrRemoves) {
    Tariff t;
    t.SetRange("8:0-11:59", 120);
    t.SetRange("12:0-17:59", 120);
    EXPECT_EQ(Settings(t), std::vector<std::string>{"8:0-17:59!120"});

    t.SetRange("12:0-12:59", 90);
    EXPECT_EQ(Settings(t),
              (std::vector<std::string>{"8:0-11:59!120", "12:0-12:59!90", "13:0-17:59!120"}));

    t.SetRange("12:0-12:59", 0);
    EXPECT_EQ(Settings(t), (std::vector<std::string>{"8:0-11:59!120", "13:0-17:59!120"}));
    t.SetRange("0:0-23:59", 0);
    EXPECT_TRUE(t.Periods().empty());
}

TEST(TariffTest, WindowAddsAndRemovesPeriodsFromItsPickers) {
    Tariff t;
    t.SetRange(Tariff::RangeText(8, 0, 17, 59), 120);
    t.SetRange(Tariff::RangeText(12, 0, 12, 59), 60);
    std::vector<std::string> lines;
    for (const auto& p : t.Periods())
        lines.push_back(Tariff::PeriodListText(p));
    EXPECT_EQ(lines, (std::vector<std::string>{"08:00 - 11:59", "12:00 - 12:59", "13:00 - 17:59"}));
    // Removing is the same range with length 0.
    t.SetRange(Tariff::RangeText(8, 0, 17, 59), 0);
    EXPECT_TRUE(t.Periods().empty());
}

TEST(TariffTest, PeriodsAtTheEdgesOfTheDay) {
    Tariff t;
    t.SetRange("0:0-0:0", 30);
    t.SetRange("23:59-23:59", 40);
    EXPECT_EQ(Settings(t), (std::vector<std::string>{"0:0-0:0!30", "23:59-23:59!40"}));
}

TEST(TariffTest, OutOfDayRangesAreClippedAndBadLengthsClear) {
    Tariff t;
    EXPECT_TRUE(t.SetRange("23:0-25:0", 60));
    EXPECT_EQ(Settings(t), std::vector<std::string>{"23:0-23:59!60"});
    EXPECT_FALSE(t.SetRange("24:0-26:0", 60));
    // A negative length has no meaning in the table; it clears like 0.
    t.SetRange("23:0-23:59", -5);
    EXPECT_TRUE(t.Periods().empty());
    // A length beyond the 16-bit table saturates instead of wrapping to a tiny one.
    t.SetRange("1:0-1:0", 70000);
    EXPECT_EQ(t.LookupMinute(60), 65535);
}

} // namespace
} // namespace murmex
