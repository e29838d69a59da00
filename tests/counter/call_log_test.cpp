#include "counter/call_log.h"
#include "counter/counter_format.h"
#include "counter/local_time.h"
#include "counter_fixture.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CCounterTest;

using CallLogTest = CCounterTest;

CallRecord Call(std::int64_t start, std::int64_t duration = 60, int impulses = 1,
                double price = 0.33) {
    CallRecord r;
    r.start = start;
    r.lastImpulse = start;
    r.duration = duration;
    r.impulses = impulses;
    r.pricePerImpulse = price;
    return r;
}

std::vector<std::int64_t> Starts(const CallLog& log) {
    std::vector<std::int64_t> out;
    for (const auto& r : log.Records())
        out.push_back(r.start);
    return out;
}

TEST_F(CallLogTest, UnsortedFileIsHeldAndSavedInStartOrder) {
    dir.WriteFile("counter.cfg", "[Data]\r\n300 1 1 0.33\r\n100 2 1 0.33\r\n200 3 1 0.33\r\n");
    CallLog log;
    ASSERT_TRUE(log.Load());
    EXPECT_EQ(Starts(log), (std::vector<std::int64_t>{100, 200, 300}));
    ASSERT_TRUE(log.Save());
    EXPECT_EQ(dir.ReadFile("counter.cfg"),
              "[Data]\r\n100 2 1 0.33\r\n200 3 1 0.33\r\n300 1 1 0.33\r\n");
}

TEST_F(CallLogTest, EqualStartsKeepInsertionOrder) {
    CallLog log;
    log.Insert(Call(100, 1));
    log.Insert(Call(200, 2));
    log.Insert(Call(100, 3));
    log.Insert(Call(50, 4));
    std::vector<std::int64_t> durations;
    for (const auto& r : log.Records())
        durations.push_back(r.duration);
    EXPECT_EQ(durations, (std::vector<std::int64_t>{4, 1, 3, 2}));
}

TEST_F(CallLogTest, PeriodExcludesItsStartAndIncludesItsEnd) {
    const CPeriod march = MonthPeriod(2024, 3);
    // Computed by hand for Warsaw: 2024-03-01 00:00:00 CET and 2024-03-31 23:59:59 CEST.
    ASSERT_EQ(march.start, 1709247600);
    ASSERT_EQ(march.end, 1711922399);

    CallLog log;
    log.Insert(Call(march.start - 1, 10, 1));
    log.Insert(Call(march.start, 20, 2));     // at S: outside
    log.Insert(Call(march.start + 1, 30, 3)); // inside
    log.Insert(Call(march.end, 40, 4, 0.5));  // at E: inside
    log.Insert(Call(march.end + 1, 50, 5));   // outside
    log.Select(march.start, march.end);
    EXPECT_EQ(log.FirstSelected(), 2);
    EXPECT_EQ(log.LastSelected(), 3);
    EXPECT_EQ(log.TotalDuration(), 70);
    EXPECT_EQ(log.TotalImpulses(), 7);
    EXPECT_NEAR(log.TotalCost(), 3 * 0.33 + 4 * 0.5, 1e-9);
    EXPECT_EQ(log.ListRows().size(), 2u);
}

TEST_F(CallLogTest, MonthPeriodsFollowTheGregorianCalendar) {
    const CPeriod feb2000 = MonthPeriod(2000, 2);
    EXPECT_EQ(FormatLocalTime("%Y-%m-%d %H:%M:%S", feb2000.start), "2000-02-01 00:00:00");
    EXPECT_EQ(FormatLocalTime("%Y-%m-%d %H:%M:%S", feb2000.end), "2000-02-29 23:59:59");
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 4), 30);
    // The month of a time in its last second, across the change to summer time.
    EXPECT_EQ(MonthPeriodOf(1711922399).start, 1709247600);
}

TEST_F(CallLogTest, EmptyPeriodsSelectNothingAndTotalZero) {
    CallLog log;
    log.Select(0, 1000);
    EXPECT_FALSE(log.HasSelection());
    EXPECT_TRUE(log.ListRows().empty());

    log.Insert(Call(500, 100, 2));
    log.Select(0, 1000);
    ASSERT_TRUE(log.HasSelection());
    // Before every record, between records, and a period reversed.
    for (auto [s, e] : {std::pair<std::int64_t, std::int64_t>{0, 499}, {500, 1000}, {1000, 0}}) {
        log.Select(s, e);
        EXPECT_FALSE(log.HasSelection()) << s << ".." << e;
        EXPECT_TRUE(log.ListRows().empty());
        EXPECT_EQ(log.TotalDuration(), 0);
        EXPECT_EQ(log.TotalImpulses(), 0);
        EXPECT_EQ(log.TotalCost(), 0.0);
    }
}

TEST_F(CallLogTest, StoredLineOfTheTenMinuteCallReadsBackWhole) {
    // 946684800 is 2000-01-01 00:00:00 UTC, 01:00:00 in Warsaw.
    dir.WriteFile("counter.cfg", "[Data]\r\n946684800 600 4 0.33\r\n");
    CallLog log;
    log.Load();
    ASSERT_EQ(log.Count(), 1);
    log.Select(946684799, 946684800);
    ASSERT_EQ(log.ListRows().size(), 1u);
    const CCallRow row = log.ListRows()[0];
    EXPECT_EQ(row.date, "01/01/00");
    EXPECT_EQ(row.time, "01:00:00");
    EXPECT_EQ(row.duration, "00:10:00");
    EXPECT_EQ(row.impulses, "4");
    EXPECT_EQ(row.cost, "1.32 zł");
}

TEST_F(CallLogTest, PriceIsStoredWithTwoDecimals) {
    EXPECT_EQ(CallLog::FormatLine(Call(7, 8, 9, 0.333)), "7 8 9 0.33");
    EXPECT_EQ(CallLog::FormatLine(Call(4102444800LL, 0, 1, 0.0)), "4102444800 0 1 0.00");
}

TEST_F(CallLogTest, DamagedLinesAreSkippedAndTheRestKept) {
    dir.WriteFile("counter.cfg", "[Other]\r\n1 1 1 1\r\n"
                                 "[Data]\r\n"
                                 "100 60 1 0.33\r\n"
                                 "garbage\r\n"
                                 "200 60\r\n"
                                 "300 60 1 nan\r\n"
                                 "400 60 1 inf\r\n"
                                 "500 60 99999999999 0.33\r\n"
                                 "600 60 2 0.33 trailing words\r\n"
                                 "  700\t60 3 .5\r\n"
                                 "\r\n"
                                 "800 60 1 0.33\r\n");
    CallLog log;
    log.Load();
    EXPECT_EQ(Starts(log), (std::vector<std::int64_t>{100, 600, 700}));
    EXPECT_DOUBLE_EQ(log.Record(2).pricePerImpulse, 0.5);
    // Saving keeps the other section of the file.
    log.Save();
    EXPECT_EQ(dir.ReadFile("counter.cfg").rfind("[Other]\r\n1 1 1 1\r\n", 0), 0u);
}

TEST_F(CallLogTest, MissingFileGivesAnEmptyLog) {
    CallLog log;
    EXPECT_FALSE(log.Load());
    EXPECT_EQ(log.Count(), 0);
}

} // namespace
} // namespace murmex
