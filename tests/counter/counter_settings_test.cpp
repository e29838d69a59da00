#include "counter/call_counter.h"
#include "counter/local_time.h"
#include "counter_fixture.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CCounterTest;

using CounterSettingsTest = CCounterTest;

TEST_F(CounterSettingsTest, SectionIsWrittenInItsFixedOrderAndFormats) {
    dir.WriteFile("murmex.cfg", "[Counter]\r\nfreedays=\"1\"\r\n\r\n[Options]\r\nServer=\"x\"\r\n");
    CallCounter counter(clock);
    counter.SetFreeDays(65);
    counter.NormalTariff().SetRange("8:0-17:59", 120);
    counter.HolidayTariff().SetRange("22:0-23:59", 300);
    counter.HolidayTariff().SetRange("0:0-5:59", 600);
    counter.HolidayTariff().SetDefaultLength(240);
    counter.AddHoliday(HolidayTime(25, 12)); // 2000-12-24 23:00 UTC
    counter.AddHoliday(HolidayTime(1, 1));   // 1999-12-31 23:00 UTC
    counter.SetPricePerImpulse(0.257);
    ASSERT_TRUE(counter.SaveSettings());

    EXPECT_EQ(dir.ReadFile("murmex.cfg"), "[Options]\r\n"
                                          "Server=\"x\"\r\n"
                                          "[Counter]\r\n"
                                          "normal_tarif=\"8:0-17:59!120\"\r\n"
                                          "celebrity_tarif=\"0:0-5:59!600\"\r\n"
                                          "celebrity_tarif=\"22:0-23:59!300\"\r\n"
                                          "celebrity=\"977698800\"\r\n"
                                          "celebrity=\"946681200\"\r\n"
                                          "freedays=\"65\"\r\n"
                                          "paypertick=\"0.26\"\r\n"
                                          "normal_ticklength=\"180\"\r\n"
                                          "celebrity_ticklength=\"240\"\r\n");
}

TEST_F(CounterSettingsTest, SavedSettingsLoadBackUnchanged) {
    {
        CallCounter counter(clock);
        counter.SetFreeDays(65);
        counter.NormalTariff().SetRange("7:30-7:45", 60);
        counter.NormalTariff().SetDefaultLength(90);
        counter.HolidayTariff().SetRange("23:59-23:59", 1);
        counter.AddHoliday(HolidayTime(3, 5));
        counter.AddHoliday(HolidayTime(3, 5));
        counter.SetPricePerImpulse(0.41);
        counter.SaveSettings();
    }
    std::string first = dir.ReadFile("murmex.cfg");
    CallCounter counter(clock);
    EXPECT_EQ(counter.FreeDays(), 65);
    EXPECT_EQ(counter.NormalTariff().DefaultLength(), 90);
    EXPECT_EQ(counter.NormalTariff().LookupMinute(7 * 60 + 45), 60);
    EXPECT_EQ(counter.HolidayTariff().LookupMinute(1439), 1);
    EXPECT_EQ(counter.Holidays().size(), 2u); // duplicates stay
    EXPECT_DOUBLE_EQ(counter.PricePerImpulse(), 0.41);
    counter.SaveSettings();
    EXPECT_EQ(dir.ReadFile("murmex.cfg"), first);
}

TEST_F(CounterSettingsTest, LoadingAgainReplacesInsteadOfAddingUp) {
    dir.WriteFile("murmex.cfg", "[Counter]\r\ncelebrity=\"977698800\"\r\n"
                                "normal_tarif=\"8:0-8:59!60\"\r\n");
    dir.WriteFile("counter.cfg", "[Data]\r\n100 60 1 0.33\r\n");
    CallCounter counter(clock);
    counter.NormalTariff().SetRange("9:0-9:59", 30); // not saved: dropped by the reload
    counter.Load();
    EXPECT_EQ(counter.Holidays().size(), 1u);
    EXPECT_EQ(counter.Log().Count(), 1);
    EXPECT_EQ(counter.NormalTariff().Periods().size(), 1u);
}

TEST_F(CounterSettingsTest, MissingFileGivesTheDefaults) {
    CallCounter counter(clock);
    EXPECT_EQ(counter.NormalTariff().DefaultLength(), 180);
    EXPECT_EQ(counter.HolidayTariff().DefaultLength(), 180);
    EXPECT_DOUBLE_EQ(counter.PricePerImpulse(), 0.33);
    EXPECT_EQ(counter.FreeDays(), 0);
    EXPECT_TRUE(counter.Holidays().empty());
    EXPECT_TRUE(counter.NormalTariff().Periods().empty());
    EXPECT_EQ(counter.Log().Count(), 0);
}

TEST_F(CounterSettingsTest, DamagedLinesReadAsTheCLibraryWouldOrAreSkipped) {
    dir.WriteFile("murmex.cfg", "[Counter]\n"
                                "normal_tarif=\"8:00-17:59!120\"\n"
                                "normal_tarif=\"9:0-10:0\"\n"       // no length: skipped
                                "normal_tarif=\"12:0-12:59!abc\"\n" // length 0: clears
                                "normal_tarif=\"20:0-19:0!30\"\n"   // reversed: nothing
                                "garbage line\n"
                                "unknown=\"5\"\n"
                                "paypertick=\"x\"\n"
                                "normal_ticklength=\"150s\"\n"
                                "freedays=\"-1\"\n"
                                "celebrity=\"\"\n");
    CallCounter counter(clock);
    std::vector<std::string> periods;
    for (const auto& p : counter.NormalTariff().Periods())
        periods.push_back(Tariff::PeriodSetting(p));
    EXPECT_EQ(periods, (std::vector<std::string>{"8:0-11:59!120", "13:0-17:59!120"}));
    EXPECT_EQ(counter.PricePerImpulse(), 0.0);
    EXPECT_EQ(counter.NormalTariff().DefaultLength(), 150);
    EXPECT_EQ(counter.FreeDays(), 0x7F);
    EXPECT_EQ(counter.Holidays(), std::vector<std::int64_t>{0});
}

} // namespace
} // namespace murmex
