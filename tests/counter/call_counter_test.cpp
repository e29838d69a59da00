#include "counter/call_counter.h"
#include "counter/local_time.h"
#include "counter_fixture.h"
#include "storage/config_store.h"
#include "storage/options.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CCounterTest;

// Monday 3 June 2024, 07:58:00 in Warsaw (CEST).
constexpr std::int64_t kMonday0758 = 1717394280;
// Saturday 8 June 2024, 23:58:00 in Warsaw.
constexpr std::int64_t kSaturday2358 = 1717883880;

class CallCounterTest : public CCounterTest {
protected:
    // Runs the heartbeat once a second, like the main bar does, for the given span.
    void RunSeconds(CallCounter& counter, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            ++clock.now;
            counter.TimerEvent();
        }
    }
    // Moments (seconds after the start) at which impulses were charged.
    std::vector<int> ImpulseMoments(CallCounter& counter, int seconds) {
        std::vector<int> at{0};
        const std::int64_t start = clock.now;
        int seen = counter.CurrentCall()->impulses;
        for (int i = 0; i < seconds; ++i) {
            ++clock.now;
            counter.TimerEvent();
            if (counter.CurrentCall()->impulses != seen) {
                seen = counter.CurrentCall()->impulses;
                at.push_back(static_cast<int>(clock.now - start));
            }
        }
        return at;
    }
};

TEST_F(CallCounterTest, TenMinuteCallWithDefaultsCostsFourImpulses) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.StartCall();
    // 180-second impulses and a strict comparison: 0, 181, 362, 543.
    EXPECT_EQ(ImpulseMoments(counter, 600), (std::vector<int>{0, 181, 362, 543}));
    ASSERT_TRUE(counter.EndCall());

    ASSERT_EQ(counter.Log().Count(), 1);
    const CallRecord& call = counter.Log().Record(0);
    EXPECT_EQ(call.start, kMonday0758);
    EXPECT_EQ(call.duration, 600);
    EXPECT_EQ(call.impulses, 4);
    EXPECT_NEAR(call.Cost(), 4 * 0.33, 1e-9);
    EXPECT_FALSE(counter.IsCallRunning());
}

TEST_F(CallCounterTest, ShortCallCostsExactlyOneImpulse) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.StartCall();
    RunSeconds(counter, 180); // exactly one impulse length is not more than it
    counter.EndCall();
    EXPECT_EQ(counter.Log().Record(0).impulses, 1);
    EXPECT_EQ(counter.Log().Record(0).duration, 180);
}

TEST_F(CallCounterTest, ImpulseLengthFollowsTheMinuteOfTheLastImpulse) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.NormalTariff().SetRange("8:0-17:59", 120);
    counter.StartCall();
    // 07:58:00 lies in the default 180 s; the impulse at 08:01:01 lies in the
    // 120 s period, so the next comes 121 s later, and so on.
    EXPECT_EQ(ImpulseMoments(counter, 450), (std::vector<int>{0, 181, 302, 423}));
}

TEST_F(CallCounterTest, AtMidnightTheDayTypeIsTodaysButTheMinuteIsTheLastImpulses) {
    clock.now = kSaturday2358;
    CallCounter counter(clock);
    counter.SetFreeWeekday(0, true); // Sunday
    counter.HolidayTariff().SetDefaultLength(600);
    counter.NormalTariff().SetRange("23:0-23:59", 60);
    counter.StartCall();
    // Saturday 23:58 and 23:59 cost 60 s impulses: the second is charged at 61 s
    // (23:59:01). From 00:00:00 it is Sunday, so the holiday tariff is asked for
    // the minute 23:59 of that impulse: its default 600 s. The third impulse
    // comes 601 s after the second, not 61 s.
    EXPECT_EQ(ImpulseMoments(counter, 800), (std::vector<int>{0, 61, 662}));
}

TEST_F(CallCounterTest, FreeWeekdaysAndYearlyHolidays) {
    CallCounter counter(clock);
    counter.SetFreeWeekday(6, true);
    counter.SetFreeWeekday(0, true);
    EXPECT_EQ(counter.FreeDays(), 65);
    EXPECT_TRUE(counter.IsHolidayDay(kSaturday2358));
    EXPECT_FALSE(counter.IsHolidayDay(kMonday0758));

    counter.AddHoliday(HolidayTime(25, 12));
    EXPECT_TRUE(counter.IsHolidayDay(MakeLocalTime(2023, 12, 25, 12, 0, 0)));
    EXPECT_TRUE(counter.IsHolidayDay(MakeLocalTime(2031, 12, 25, 0, 0, 0)));
    EXPECT_TRUE(counter.IsHolidayDay(MakeLocalTime(2031, 12, 25, 23, 59, 59)));
    EXPECT_FALSE(counter.IsHolidayDay(MakeLocalTime(2031, 12, 24, 23, 59, 59)));
    EXPECT_FALSE(counter.IsHolidayDay(MakeLocalTime(2031, 12, 26, 0, 0, 0)));

    // An impossible date rolls over: 31 February is 2 March of 2000.
    EXPECT_EQ(HolidayTime(31, 2), HolidayTime(2, 3));

    // Only bits 0-6 are weekdays.
    counter.SetFreeDays(0xFFFF);
    EXPECT_EQ(counter.FreeDays(), 0x7F);
    EXPECT_TRUE(counter.RemoveHoliday(0));
    EXPECT_FALSE(counter.RemoveHoliday(0));
}

TEST_F(CallCounterTest, CounterTextAlternatesEveryFiveSecondsAndRestartsEachMinute) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.StartCall();
    std::vector<std::string> texts;
    for (int s : {0, 4, 5, 9, 10, 59, 60, 61, 65, 3665}) {
        clock.now = kMonday0758 + s;
        texts.push_back(counter.CounterText());
    }
    // By 3665 s a full hour of ticks would have charged more; here only the
    // display rule is checked, so the cost stays at the first impulse.
    EXPECT_EQ(texts,
              (std::vector<std::string>{"00:00:00", "00:00:04", "0.33 zł", "0.33 zł", "00:00:10",
                                        "0.33 zł", "00:01:00", "00:01:01", "0.33 zł", "0.33 zł"}));
}

TEST_F(CallCounterTest, CountingRuleFollowsConnectionTypeAndForceModem) {
    EXPECT_TRUE(CallCounter::CountingApplies()); // no options at all
    SetOption("InternetConnection", "Modem");
    EXPECT_TRUE(CallCounter::CountingApplies());
    SetOption("InternetConnection", "LAN");
    EXPECT_FALSE(CallCounter::CountingApplies());
    SetOption("ForceModem", "0");
    EXPECT_FALSE(CallCounter::CountingApplies());
    SetOption("ForceModem", "1");
    EXPECT_TRUE(CallCounter::CountingApplies());

    CallCounter counter(clock);
    counter.StartCall();
    SetOption("ForceModem", "0");
    EXPECT_EQ(counter.CounterText(), "LAN");
}

TEST_F(CallCounterTest, DurationsShowHoursWithinADay) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.StartCall();
    clock.now += 25 * 3600;
    EXPECT_EQ(counter.CounterText(), "01:00:00");
    counter.EndCall();
    EXPECT_EQ(counter.Log().Record(0).duration, 25 * 3600);
    counter.Log().Select(0, kMonday0758);
    EXPECT_EQ(counter.Log().ListRows().at(0).duration, "01:00:00");
}

TEST_F(CallCounterTest, EndedCallIsSavedAndReloadedByTheNextCounter) {
    clock.now = kMonday0758;
    {
        CallCounter counter(clock);
        counter.SetPricePerImpulse(0.5);
        counter.StartCall();
        clock.now += 200;
        counter.TimerEvent();
        counter.SetPricePerImpulse(0.1); // a change mid-call does not reprice it
        EXPECT_TRUE(counter.EndCall());
        EXPECT_FALSE(counter.EndCall());
    }
    EXPECT_NE(dir.ReadFile("counter.cfg").find("[Data]\r\n1717394280 200 2 0.50\r\n"),
              std::string::npos);
    CallCounter again(clock);
    ASSERT_EQ(again.Log().Count(), 1);
    EXPECT_EQ(again.Log().Record(0).impulses, 2);
    EXPECT_DOUBLE_EQ(again.Log().Record(0).pricePerImpulse, 0.5);
    EXPECT_NEAR(again.PricePerImpulse(), 0.1, 1e-9);
}

TEST_F(CallCounterTest, ClockGoingBackNeverGivesNegativeDurationsOrStopsCounting) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.StartCall();
    clock.now -= 3600;
    counter.TimerEvent();
    EXPECT_EQ(counter.CounterText(), "00:00:00");
    // Counting resumes from the moment the clock went back.
    clock.now += 181;
    counter.TimerEvent();
    EXPECT_EQ(counter.CurrentCall()->impulses, 2);
    counter.EndCall();
    EXPECT_EQ(counter.Log().Record(0).duration, 0);
}

TEST_F(CallCounterTest, ReconnectWhileACallIsOpenLogsTheOpenCall) {
    clock.now = kMonday0758;
    CallCounter counter(clock);
    counter.StartCall();
    clock.now += 30;
    counter.StartCall();
    ASSERT_EQ(counter.Log().Count(), 1);
    EXPECT_EQ(counter.Log().Record(0).duration, 30);
    EXPECT_EQ(counter.CurrentCall()->start, kMonday0758 + 30);
}

} // namespace
} // namespace murmex
