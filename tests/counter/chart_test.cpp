#include "counter/call_log.h"
#include "counter/chart_data.h"
#include "counter/chart_picture.h"
#include "counter/chart_scale.h"
#include "counter/local_time.h"
#include "counter_fixture.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CCounterTest;

std::array<std::string, 4> Labels(const CChartScale& s) {
    return s.labels;
}

TEST(ChartScaleTest, MinuteStepsAreChosenStrictlyAboveTheLongestValue) {
    struct Case {
        double maxSeconds;
        double step;
    };
    // Four steps of t minutes are t * 240 seconds; the step must exceed the value.
    for (Case c : std::vector<Case>{{0, 1},
                                    {239, 1},
                                    {240, 2}, // exactly 4 minutes
                                    {1199, 5},
                                    {1200, 10}, // 20 minutes: 5 * 240 is not above it
                                    {1201, 10},
                                    {7199, 30},
                                    {14399, 60},
                                    {14400, 120}, // past the list: whole hours
                                    {28799, 120},
                                    {28800, 180}}) {
        CChartScale s = MinutesScale(c.maxSeconds);
        EXPECT_EQ(s.step, c.step) << c.maxSeconds;
        EXPECT_EQ(s.maximum, c.step * 240) << c.maxSeconds;
    }
    EXPECT_EQ(Labels(MinutesScale(1200)), (std::array<std::string, 4>{"10", "20", "30", "40"}));
    EXPECT_EQ(MinutesScale(0).unit, "min");
    // However long, the top line stays above the longest value.
    EXPECT_GT(MinutesScale(1e13).maximum, 1e13);
}

TEST(ChartScaleTest, ZlotyStepsAreChosenStrictlyAboveTheHighestCost) {
    struct Case {
        double maxCost;
        double step;
    };
    for (Case c : std::vector<Case>{{0, 0.25},
                                    {0.99, 0.25},
                                    {1.00, 1}, // exactly 1.00
                                    {3.99, 1},
                                    {4.00, 2},
                                    {99.99, 25},
                                    {100, 50},
                                    {399.99, 100},
                                    {400, 200}, // past the list: hundreds
                                    {1234, 400}}) {
        CChartScale s = ZlotyScale(c.maxCost);
        EXPECT_DOUBLE_EQ(s.step, c.step) << c.maxCost;
        EXPECT_DOUBLE_EQ(s.maximum, 4 * c.step) << c.maxCost;
    }
    EXPECT_EQ(Labels(ZlotyScale(0)), (std::array<std::string, 4>{"0.25", "0.50", "0.75", "1.00"}));
    EXPECT_EQ(Labels(ZlotyScale(400)),
              (std::array<std::string, 4>{"200.00", "400.00", "600.00", "800.00"}));
    EXPECT_EQ(ZlotyScale(0).unit, "zł");
}

std::vector<CDrawOp> Bars(const std::vector<CDrawOp>& ops) {
    std::vector<CDrawOp> out;
    for (const auto& op : ops)
        if (op.kind == CDrawOp::FillRect && op.border)
            out.push_back(op);
    return out;
}

std::vector<CDrawOp> Texts(const std::vector<CDrawOp>& ops) {
    std::vector<CDrawOp> out;
    for (const auto& op : ops)
        if (op.kind == CDrawOp::Text)
            out.push_back(op);
    return out;
}

TEST(ChartPictureTest, FrameGridAndScaleLabelsOfAnEmptyChart) {
    CChartData data;
    data.slotCount = 30;
    const auto ops = DrawChart(data, 400, 250);
    ASSERT_EQ(ops.size(), 12u);

    EXPECT_EQ(ops[0].kind, CDrawOp::FillRect);
    EXPECT_EQ(ops[0].rect, (CChartRect{0, 0, 400, 250}));
    EXPECT_EQ(ops[0].color, (CChartColor{255, 255, 255}));
    EXPECT_FALSE(ops[0].border);

    // Base line and the vertical axis at the right, black and solid.
    EXPECT_EQ(std::tuple(ops[1].x1, ops[1].y1, ops[1].x2, ops[1].y2),
              std::tuple(35, 215, 365, 215));
    EXPECT_EQ(std::tuple(ops[2].x1, ops[2].y1, ops[2].x2, ops[2].y2),
              std::tuple(365, 215, 365, 35));
    EXPECT_EQ(ops[2].pen, EPenStyle::Solid);
    EXPECT_EQ(ops[2].color, (CChartColor{0, 0, 0}));
    // Grid every (250 - 70) / 4 = 45 pixels, dotted grey.
    for (int k = 1; k <= 4; ++k) {
        const CDrawOp& g = ops[2 + k];
        EXPECT_EQ(std::tuple(g.x1, g.y1, g.x2, g.y2),
                  std::tuple(35, 215 - 45 * k, 365, 215 - 45 * k));
        EXPECT_EQ(g.pen, EPenStyle::Dotted);
        EXPECT_EQ(g.color, (CChartColor{100, 100, 100}));
    }
    const auto texts = Texts(ops);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "min");
    EXPECT_EQ(texts[0].rect, (CChartRect{368, 5, 400, 35}));
    EXPECT_EQ(texts[1].text, "1");
    EXPECT_EQ(texts[1].rect, (CChartRect{368, 170, 400, 215}));
    EXPECT_EQ(texts[4].text, "4");
    EXPECT_EQ(texts[4].rect, (CChartRect{368, 35, 400, 80}));
}

TEST(ChartPictureTest, BarGeometryOfThirtySlots) {
    CChartData data;
    data.slotCount = 30;
    // 20 minutes gives a 40-minute scale: 600 s is a quarter of the 180-pixel plot.
    data.bars.push_back({1200, "-1"});
    data.bars.push_back({600, ""});
    for (int i = 2; i < 30; ++i)
        data.bars.push_back({0, ""});
    const auto bars = Bars(DrawChart(data, 400, 250));
    ASSERT_EQ(bars.size(), 30u);
    // 11-pixel pitch, 9 pixels wide, the rightmost from x = 355 to 364.
    EXPECT_EQ(bars[0].rect, (CChartRect{355, 215 - 90, 364, 216}));
    EXPECT_EQ(bars[1].rect, (CChartRect{344, 215 - 45, 353, 216}));
    EXPECT_EQ(bars[29].rect, (CChartRect{36, 215, 45, 216}));
    EXPECT_EQ(bars[0].color, (CChartColor{0, 255, 100}));
    EXPECT_EQ(bars[0].borderColor, (CChartColor{0, 0, 0}));

    const auto texts = Texts(DrawChart(data, 400, 250));
    ASSERT_EQ(texts.size(), 6u); // unit, four scale labels, one bar label
    EXPECT_EQ(texts[5].text, "-1");
    EXPECT_EQ(texts[5].rect, (CChartRect{355, 217, 384, 250}));
}

TEST(ChartPictureTest, BarsStayInsideThePlotWhateverTheirValues) {
    CChartData data;
    data.slotCount = 7;
    data.money = true;
    data.bars = {{-5.0, ""}, {1e300, ""}};
    const auto bars = Bars(DrawChart(data, 400, 250));
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].rect.top, 215);
    EXPECT_GE(bars[1].rect.top, 35);
}

class ChartDataTest : public CCounterTest {
protected:
    void Add(std::int64_t start, std::int64_t duration, int impulses = 1, double price = 0.5) {
        CallRecord r;
        r.start = start;
        r.duration = duration;
        r.impulses = impulses;
        r.pricePerImpulse = price;
        log.Insert(r);
    }
    CallLog log;
    // Saturday 15 June 2024, noon, in Warsaw; June has 30 days.
    const std::int64_t now = MakeLocalTime(2024, 6, 15, 12, 0, 0);
};

TEST_F(ChartDataTest, LastCallsAreNewestFirstAndEveryThirdIsNumbered) {
    for (int i = 0; i < 5; ++i)
        Add(1000 + i, 60 * (i + 1), i + 1);
    CChartData d = GatherChart(log, ChartLast30Durations, now);
    EXPECT_FALSE(d.money);
    EXPECT_EQ(d.slotCount, 30);
    ASSERT_EQ(d.bars.size(), 5u);
    EXPECT_EQ(d.bars[0].value, 300); // the newest call
    EXPECT_EQ(d.bars[4].value, 60);
    // Log positions 4, 3, 2, 1, 0: numbered where the position is a multiple of 3.
    std::vector<std::string> labels;
    for (const auto& b : d.bars)
        labels.push_back(b.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"", "-2", "", "", "-5"}));

    CChartData costs = GatherChart(log, ChartLast30Costs, now);
    EXPECT_TRUE(costs.money);
    EXPECT_DOUBLE_EQ(costs.bars[0].value, 2.5);

    for (int i = 0; i < 40; ++i)
        Add(2000 + i, i);
    d = GatherChart(log, ChartLast30Durations, now);
    ASSERT_EQ(d.bars.size(), 30u);
    EXPECT_EQ(d.bars[0].value, 39);
    EXPECT_EQ(d.bars[29].value, 10);
}

TEST_F(ChartDataTest, MonthChartHasOneBarPerDayAndKeepsItsPeriodSelected) {
    const CPeriod june = MonthPeriod(2024, 6);
    Add(june.start, 1000);                          // at the period start: outside
    Add(MakeLocalTime(2024, 6, 1, 0, 0, 1), 60);    // day 1
    Add(MakeLocalTime(2024, 6, 29, 10, 0, 0), 120); // day 29
    Add(MakeLocalTime(2024, 6, 29, 11, 0, 0), 30);  // day 29
    Add(june.end, 7);                               // day 30, last second
    Add(june.end + 1, 5000);                        // July
    CChartData d = GatherChart(log, ChartMonthDurations, now);
    EXPECT_EQ(d.slotCount, 30);
    ASSERT_EQ(d.bars.size(), 30u);
    EXPECT_EQ(d.bars[0].value, 7);
    EXPECT_EQ(d.bars[0].label, ""); // day 30
    EXPECT_EQ(d.bars[1].value, 150);
    EXPECT_EQ(d.bars[1].label, "29");
    EXPECT_EQ(d.bars[29].value, 60);
    EXPECT_EQ(d.bars[29].label, "1");
    EXPECT_EQ(d.Maximum(), 150);

    EXPECT_EQ(log.PeriodStart(), june.start);
    EXPECT_EQ(log.PeriodEnd(), june.end);
    EXPECT_EQ(log.TotalDuration(), 60 + 120 + 30 + 7);
}

TEST_F(ChartDataTest, WeekdayHourAndYearCharts) {
    Add(MakeLocalTime(2024, 6, 3, 23, 50, 0), 3600, 2); // Monday, hour 23 for the whole hour
    Add(MakeLocalTime(2024, 6, 8, 0, 10, 0), 60, 1);    // Saturday, hour 0
    Add(MakeLocalTime(2024, 1, 10, 8, 0, 0), 60, 4);    // January
    Add(MakeLocalTime(2023, 12, 31, 23, 0, 0), 60, 8);  // last year
    Add(MakeLocalTime(2024, 6, 15, 12, 0, 1), 60, 16);  // after now

    CChartData week = GatherChart(log, ChartWeekdayDurations, now);
    ASSERT_EQ(week.bars.size(), 7u);
    EXPECT_EQ(week.bars[0].label, "Sb");
    EXPECT_EQ(week.bars[0].value, 120); // 8 June, and 15 June after "now" (same month)
    EXPECT_EQ(week.bars[5].label, "Pn");
    EXPECT_EQ(week.bars[5].value, 3600);
    EXPECT_EQ(week.bars[6].label, "Nd");

    CChartData hours = GatherChart(log, ChartHourCosts, now);
    ASSERT_EQ(hours.bars.size(), 24u);
    EXPECT_EQ(hours.bars[0].label, "23");
    EXPECT_DOUBLE_EQ(hours.bars[0].value, 1.0);
    EXPECT_EQ(hours.bars[23].label, "0");
    EXPECT_DOUBLE_EQ(hours.bars[23].value, 0.5);
    // The call after "now" is still in this month's period.
    EXPECT_DOUBLE_EQ(hours.bars[11].value, 8.0);

    CChartData year = GatherChart(log, ChartYearCosts, now);
    ASSERT_EQ(year.bars.size(), 12u);
    EXPECT_TRUE(year.money);
    EXPECT_EQ(year.bars[0].label, "XII");
    EXPECT_EQ(year.bars[11].label, "I");
    EXPECT_DOUBLE_EQ(year.bars[11].value, 2.0); // January only
    EXPECT_DOUBLE_EQ(year.bars[6].value, 1.5);  // June, without the call after now
    EXPECT_DOUBLE_EQ(year.bars[0].value, 0.0);
}

TEST_F(ChartDataTest, PeriodWithoutCallsDrawsOnlyTheFrame) {
    Add(MakeLocalTime(2023, 5, 20, 8, 0, 0), 60); // last year
    for (int kind = 0; kind < kChartKindCount; ++kind) {
        EXPECT_FALSE(ChartKindText(kind).empty());
        CChartData d = GatherChart(log, kind, now);
        if (kind <= ChartLast30Costs)
            continue;
        EXPECT_TRUE(d.bars.empty()) << kind;
        EXPECT_EQ(DrawChart(d, 400, 250).size(), 12u) << kind;
    }
    EXPECT_EQ(ChartKindText(9), "");
    EXPECT_EQ(GatherChart(log, 9, now).slotCount, 0);
}

} // namespace
} // namespace murmex
