// The statistics window and its painter: the picture holds exactly what the
// chart's drawing steps say, pixel for pixel, for every kind on the list.
#include "counter/chart_data.h"
#include "counter/chart_picture.h"
#include "counter_window_world.h"
#include "counter_windows/chart_painter.h"
#include "counter_windows/statistics_dialog.h"

#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QTest>

namespace murmex::test {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreen = 0xFF00FF64;
constexpr QRgb kGrey = 0xFF646464;

int CountColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

TEST(ChartPainter, BoxesFillTheirExclusiveRectangleWithABorderInsideItsEdges) {
    const QImage image = PaintChart({CDrawOp::MakeFill({0, 0, 20, 20}, {255, 255, 255}),
                                     CDrawOp::MakeBox({5, 6, 14, 16}, {0, 255, 100}, {0, 0, 0})},
                                    20, 20, QFont());
    EXPECT_EQ(image.pixel(5, 6), kBlack);
    EXPECT_EQ(image.pixel(13, 15), kBlack);
    EXPECT_EQ(image.pixel(13, 6), kBlack);
    EXPECT_EQ(image.pixel(6, 7), kGreen);
    EXPECT_EQ(image.pixel(12, 14), kGreen);
    EXPECT_EQ(image.pixel(14, 10), kWhite) << "right edge is exclusive";
    EXPECT_EQ(image.pixel(10, 16), kWhite) << "bottom edge is exclusive";
    EXPECT_EQ(image.pixel(4, 10), kWhite);
    EXPECT_EQ(CountColour(image, kGreen), 7 * 8);
    EXPECT_EQ(CountColour(image, kBlack), 9 * 10 - 7 * 8);
}

TEST(ChartPainter, LinesLeaveTheirLastPixelOutAndDottedOnesPaintEveryOtherPixel) {
    const QImage image =
        PaintChart({CDrawOp::MakeLine(2, 3, 12, 3, EPenStyle::Solid, {0, 0, 0}),
                    CDrawOp::MakeLine(12, 3, 12, 0, EPenStyle::Solid, {0, 0, 0}),
                    CDrawOp::MakeLine(2, 8, 12, 8, EPenStyle::Dotted, {100, 100, 100}),
                    CDrawOp::MakeLine(0, 10, 6, 16, EPenStyle::Solid, {0, 0, 0})},
                   20, 20, QFont());
    for (int x = 2; x < 12; ++x)
        EXPECT_EQ(image.pixel(x, 3), kBlack) << x;
    EXPECT_EQ(image.pixel(12, 3), kBlack) << "the second line starts there";
    EXPECT_EQ(image.pixel(12, 1), kBlack);
    EXPECT_EQ(image.pixel(12, 0), kWhite) << "the last pixel is left out";
    EXPECT_EQ(image.pixel(1, 3), kWhite);
    for (int x = 2; x < 12; ++x)
        EXPECT_EQ(image.pixel(x, 8), x % 2 == 0 ? kGrey : kWhite) << x;
    EXPECT_EQ(image.pixel(12, 8), kWhite);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.pixel(i, 10 + i), kBlack) << i;
    EXPECT_EQ(image.pixel(6, 16), kWhite);
}

TEST(ChartPainter, TextStaysInsideItsRectangle) {
    const QImage image =
        PaintChart({CDrawOp::MakeText({10, 10, 30, 30}, "WWWWWWWWWW zł")}, 60, 40, QFont());
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool in = x >= 10 && x < 30 && y >= 10 && y < 30;
            if (image.pixel(x, y) == kWhite)
                continue;
            if (in)
                ++inside;
            else
                ADD_FAILURE() << "ink at " << x << "," << y;
        }
    EXPECT_GT(inside, 0);
}

class StatisticsWindow : public CCounterWindowTest {
protected:
    // Calls of this month (March 2026, today the 15th) and a few before it.
    void FillLog() {
        AddCall(2026, 1, 20, 21, 0, 0, 1800, 10);
        AddCall(2026, 2, 3, 9, 15, 0, 300, 2);
        AddCall(2026, 3, 1, 8, 0, 0, 240, 2);
        AddCall(2026, 3, 2, 20, 30, 0, 1200, 7);
        AddCall(2026, 3, 7, 23, 50, 0, 3600, 20);
        AddCall(2026, 3, 10, 12, 0, 0, 600, 4);
        AddCall(2026, 3, 14, 18, 45, 0, 90, 1);
    }
    void Open() { window = std::make_unique<CStatisticsDialog>(Services()); }

    // Every bar of the model is in the picture: its box bordered and filled,
    // the gap on either side of it and the space above it white.
    void ExpectBarsOfTheModel(int kind) {
        SCOPED_TRACE(kind);
        const QImage& image = window->Chart();
        ASSERT_EQ(image.size(), QSize(400, 250));
        const CChartData data = GatherChart(counter->Log(), kind, clock.now);
        int boxes = 0;
        for (const CDrawOp& op : DrawChart(data, 400, 250)) {
            if (op.kind != CDrawOp::FillRect || !op.border)
                continue;
            ++boxes;
            const CChartRect& r = op.rect;
            EXPECT_EQ(image.pixel(r.left, r.top), kBlack);
            EXPECT_EQ(image.pixel(r.right - 1, r.bottom - 1), kBlack);
            if (r.bottom - r.top >= 2) {
                EXPECT_EQ(image.pixel(r.left, r.bottom - 2), kBlack);
            }
            EXPECT_EQ(image.pixel(r.right - 1, r.top), kBlack);
            if (r.bottom - r.top > 2) {
                EXPECT_EQ(image.pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2), kGreen);
                EXPECT_EQ(image.pixel(r.left + 1, r.bottom - 2), kGreen);
            }
            for (int y = r.top; y < 215; ++y) {
                if ((215 - y) % 45 == 0)
                    continue; // a grid line crosses the gap there
                EXPECT_EQ(image.pixel(r.right, y), kWhite) << "right of the bar at " << y;
                EXPECT_EQ(image.pixel(r.left - 1, y), kWhite) << "left of the bar at " << y;
            }
            if (r.top - 1 > 35 && (215 - (r.top - 1)) % 45 != 0) {
                EXPECT_EQ(image.pixel(r.left + 2, r.top - 1), kWhite) << "above the bar";
            }
        }
        EXPECT_EQ(boxes, static_cast<int>(data.bars.size()));
    }

    std::unique_ptr<CStatisticsDialog> window;
};

TEST_F(StatisticsWindow, ListsTheNineKindsAndOpensOnTheFirst) {
    FillLog();
    Open();
    ASSERT_EQ(window->KindList()->count(), 9);
    EXPECT_EQ(window->KindList()->item(0)->text(), "Długość ostatnich 30 połączeń");
    EXPECT_EQ(window->KindList()->item(8)->text(), "Opłaty w poszczególnych godzinach");
    EXPECT_EQ(window->KindList()->currentRow(), 0);
    EXPECT_EQ(window->PictureArea()->size(), QSize(400, 250));
    ExpectBarsOfTheModel(0);
}

TEST_F(StatisticsWindow, EveryChoiceRedrawsThePictureFromTheModel) {
    FillLog();
    Open();
    QImage previous = window->Chart();
    for (int kind = 1; kind < 9; ++kind) {
        window->KindList()->setCurrentRow(kind);
        ExpectBarsOfTheModel(kind);
        EXPECT_NE(window->Chart(), previous) << kind;
        previous = window->Chart();
    }
}

// The seven calls of the log, newest at the right: the rightmost bar is the
// newest call (90 s), bar 3 the 20-minute call of the 2nd.
TEST_F(StatisticsWindow, TheLastCallsStandAtTheRightEndInTheirKnownPlaces) {
    FillLog();
    Open();
    const QImage& image = window->Chart();
    // The hour-long call makes the step 20 minutes (15 x 240 s is not more than
    // 3600 s), so the scale is 4800 s and 90 s stand trunc(180 * 90 / 4800) = 3 px.
    EXPECT_EQ(image.pixel(355, 212), kBlack);
    EXPECT_EQ(image.pixel(356, 213), kGreen);
    EXPECT_EQ(image.pixel(356, 211), kWhite);
    // The 20-minute call of the 2nd is bar 3: 45 px high, from x = 322.
    EXPECT_EQ(image.pixel(322, 170), kBlack);
    EXPECT_EQ(image.pixel(323, 175), kGreen);
    EXPECT_EQ(image.pixel(323, 169), kWhite);
    // Slots 7 ... 29 hold no call: no green left of the seventh bar at x = 289.
    for (int x = 35; x < 289; ++x)
        EXPECT_NE(image.pixel(x, 214), kGreen) << x;
}

TEST_F(StatisticsWindow, AnEmptyLogDrawsTheFrameAndGridWithoutBars) {
    Open();
    const QImage& image = window->Chart();
    EXPECT_EQ(CountColour(image, kGreen), 0);
    EXPECT_EQ(image.pixel(35, 215), kBlack);
    EXPECT_EQ(image.pixel(364, 215), kBlack);
    EXPECT_EQ(image.pixel(365, 100), kBlack);
    EXPECT_EQ(image.pixel(365, 35), kWhite) << "the axis ends short of its last point";
    EXPECT_EQ(image.pixel(35, 170), kGrey);
    EXPECT_EQ(image.pixel(36, 170), kWhite);
}

// Drawing a month's chart leaves that period selected in the log, as the
// report expects from the charts.
TEST_F(StatisticsWindow, AMonthsChartLeavesItsPeriodSelectedInTheLog) {
    FillLog();
    Open();
    window->KindList()->setCurrentRow(2);
    EXPECT_EQ(counter->Log().PeriodStart(), MakeLocalTime(2026, 3, 1, 0, 0, 0));
    EXPECT_EQ(counter->Log().PeriodEnd(), MakeLocalTime(2026, 3, 31, 23, 59, 59));
}

TEST_F(StatisticsWindow, F1OpensTheStatisticsHelp) {
    Open();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help, (std::vector<int>{83}));
}

} // namespace
} // namespace murmex::test
