// The call counter's windows and every chart kind, over a counter of their own:
// a year of a home dial-up user's calls, with a clock that stands on an autumn
// evening so that "this month" and "this year" hold plenty.
#include "counter/call_counter.h"
#include "counter/chart_data.h"
#include "counter/chart_picture.h"
#include "counter/local_time.h"
#include "counter_windows/call_list_dialog.h"
#include "counter_windows/chart_painter.h"
#include "counter_windows/counter_window_texts.h"
#include "counter_windows/holiday_prompt.h"
#include "counter_windows/statistics_dialog.h"
#include "counter_windows/tariff_dialog.h"
#include "gallery/gallery_book.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "ui/local_text.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <memory>
#include <string>

namespace murmex {

namespace {

class CGalleryClock final : public IClock {
public:
    std::int64_t now = 0;
    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override { return now * 1000; }
};

// The gallery clicks nothing, so nothing is opened or shown.
class CQuietDesktop final : public IDesktopShell {
public:
    bool OpenDocument(const std::string&) override { return true; }
};
class CQuietMessages final : public IMessageBox {
public:
    void ShowMessage(std::string_view) override {}
};

// A small deterministic generator: the same pictures on every run.
class CSampleRandom {
public:
    int Below(int bound) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((m_state >> 33) % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t m_state = 20251120;
};

struct SSampleCounter {
    CGalleryClock clock;
    CQuietDesktop desktop;
    CQuietMessages messages;
    std::unique_ptr<CallCounter> counter;

    SSampleCounter() {
        clock.now = MakeLocalTime(2025, 11, 20, 21, 40, 0);
        counter = std::make_unique<CallCounter>(clock);
        SetUpTariff();
        FillLog();
    }

    // Working hours cost more: a short impulse by day, a long one at night, and
    // weekends and the public holidays on the long one all day.
    void SetUpTariff() {
        CallCounter& c = *counter;
        c.SetPricePerImpulse(0.35);
        c.SetFreeDays((1 << 0) | (1 << 6));
        for (auto [day, month] : {std::pair{1, 1},
                                  {6, 1},
                                  {1, 5},
                                  {3, 5},
                                  {15, 8},
                                  {1, 11},
                                  {11, 11},
                                  {25, 12},
                                  {26, 12}})
            c.AddHoliday(HolidayTime(day, month));
        c.NormalTariff().SetDefaultLength(360);
        c.NormalTariff().SetRange("8:0-17:59", 180);
        c.NormalTariff().SetRange("18:0-21:59", 240);
        c.HolidayTariff().SetDefaultLength(360);
        c.HolidayTariff().SetRange("10:0-13:59", 300);
    }

    // Mostly evening calls of a few minutes to an hour and a half, some during
    // the day; the price went up in the spring.
    void FillLog() {
        CSampleRandom random;
        for (int month = 1; month <= 11; ++month) {
            const int days = month == 11 ? 20 : DaysInMonth(2025, month);
            for (int day = 1; day <= days; ++day) {
                const int calls = random.Below(3);
                for (int k = 0; k < calls; ++k) {
                    const bool evening = random.Below(4) != 0;
                    const int hour = evening ? 18 + random.Below(6) : 8 + random.Below(10);
                    const std::int64_t start =
                        MakeLocalTime(2025, month, day, hour, random.Below(60), random.Below(60));
                    if (start >= clock.now)
                        continue;
                    CallRecord call;
                    call.start = call.lastImpulse = start;
                    call.duration = 120 + random.Below(evening ? 5400 : 1500);
                    const int length = counter->TariffFor(start).Lookup(start);
                    call.impulses = 1 + static_cast<int>(call.duration / (length + 1));
                    call.pricePerImpulse = month < 4 ? 0.31 : 0.35;
                    counter->Log().Insert(call);
                }
            }
        }
    }

    SCounterWindowServices Services() { return {*counter, desktop, messages, clock, {}}; }
};

SSampleCounter& Sample() {
    static SSampleCounter sample;
    return sample;
}

std::unique_ptr<QWidget> ChartPicture(int kind) {
    SSampleCounter& sample = Sample();
    auto label = std::make_unique<QLabel>();
    label->setFixedSize(CStatisticsDialog::kChartWidth, CStatisticsDialog::kChartHeight);
    const CChartData data = GatherChart(sample.counter->Log(), kind, sample.clock.now);
    const QImage picture = PaintChart(
        DrawChart(data, CStatisticsDialog::kChartWidth, CStatisticsDialog::kChartHeight),
        CStatisticsDialog::kChartWidth, CStatisticsDialog::kChartHeight, ChartFont(label->font()));
    label->setPixmap(QPixmap::fromImage(picture));
    // A picture of a part of the statistics window, named as that part is.
    label->setWindowTitle(FromUtf8(kTextChartPicture));
    return label;
}

} // namespace

void AddCounterWindowShots(CGalleryBook& book) {
    book.Add("CCallListDialog", [](CGalleryWorld&) -> std::unique_ptr<QWidget> {
        return std::make_unique<CCallListDialog>(Sample().Services());
    });
    book.Add("CTariffDialog", [](CGalleryWorld&) -> std::unique_ptr<QWidget> {
        return std::make_unique<CTariffDialog>(Sample().Services());
    });
    book.Add("CHolidayPrompt", [](CGalleryWorld&) -> std::unique_ptr<QWidget> {
        return std::make_unique<CHolidayPrompt>();
    });
    book.Add("CStatisticsDialog", [](CGalleryWorld&) -> std::unique_ptr<QWidget> {
        auto dialog = std::make_unique<CStatisticsDialog>(Sample().Services());
        dialog->KindList()->setCurrentRow(ChartMonthDurations);
        return dialog;
    });
    for (int kind = 0; kind < kChartKindCount; ++kind)
        book.Add("Chart" + std::to_string(kind),
                 [kind](CGalleryWorld&) { return ChartPicture(kind); });
}

} // namespace murmex
