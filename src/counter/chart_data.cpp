#include "counter/chart_data.h"

#include "counter/call_log.h"
#include "counter/counter_format.h"
#include "counter/local_time.h"

#include <algorithm>

namespace murmex {

namespace {

bool IsDurationKind(int kind) {
    return kind == ChartLast30Durations || kind == ChartMonthDurations ||
           kind == ChartWeekdayDurations || kind == ChartHourDurations;
}

double ValueOf(const CallRecord& r, int kind) {
    return IsDurationKind(kind) ? static_cast<double>(r.duration) : r.Cost();
}

CChartData LastCalls(const CallLog& log, int kind) {
    CChartData data;
    data.slotCount = 30;
    const int count = std::min(30, log.Count());
    for (int i = 0; i < count; ++i) {
        const int position = log.Count() - 1 - i; // 0 = oldest call of the log
        CChartBar bar;
        bar.value = ValueOf(log.Record(position), kind);
        // Every third call is numbered; numbering all 30 would not fit.
        if (position % 3 == 0)
            bar.label = FormatC("-%d", i + 1);
        data.bars.push_back(std::move(bar));
    }
    return data;
}

// The slot of a call in a chart over its period, or -1.
int SlotOf(const CallRecord& r, int kind) {
    std::tm tm{};
    if (!LocalTm(r.start, tm))
        return -1;
    switch (kind) {
    case ChartMonthDurations:
    case ChartMonthCosts:
        return tm.tm_mday - 1;
    case ChartYearCosts:
        return tm.tm_mon;
    case ChartWeekdayDurations:
    case ChartWeekdayCosts:
        return tm.tm_wday;
    default:
        return tm.tm_hour;
    }
}

std::string SlotLabel(int slot, int kind) {
    static const char* const roman[12] = {"I",   "II",   "III", "IV", "V",  "VI",
                                          "VII", "VIII", "IX",  "X",  "XI", "XII"};
    static const char* const weekdays[7] = {"Nd", "Pn", "Wt", "Sr", "Cz", "Pt", "Sb"};
    switch (kind) {
    case ChartMonthDurations:
    case ChartMonthCosts:
        return (slot + 1) % 2 == 1 ? FormatC("%d", slot + 1) : std::string();
    case ChartYearCosts:
        return roman[slot];
    case ChartWeekdayDurations:
    case ChartWeekdayCosts:
        return weekdays[slot];
    default:
        return FormatC("%d", slot);
    }
}

} // namespace

std::string ChartKindText(int kind) {
    static const char* const texts[kChartKindCount] = {
        "Długość ostatnich 30 połączeń",
        "Opłaty za ostatnie 30 połączeń",
        "Długości połączeń w tym miesiącu",
        "Opłaty w tym miesiącu",
        "Opłaty w tym roku",
        "Długości połączeń w poszczególnych dniach tygodnia",
        "Opłaty w poszczególnych dniach tygodnia",
        "Długości połączeń w poszczególnych godzinach",
        "Opłaty w poszczególnych godzinach",
    };
    return kind >= 0 && kind < kChartKindCount ? texts[kind] : std::string();
}

double CChartData::Maximum() const {
    double m = 0;
    for (const auto& bar : bars)
        m = std::max(m, bar.value);
    return m;
}

CChartData GatherChart(CallLog& log, int kind, std::int64_t now) {
    if (kind < 0 || kind >= kChartKindCount)
        return {};
    if (kind == ChartLast30Durations || kind == ChartLast30Costs) {
        CChartData data = LastCalls(log, kind);
        data.money = kind == ChartLast30Costs;
        return data;
    }

    CChartData data;
    data.money = !IsDurationKind(kind);
    std::tm today{};
    LocalTm(now, today);
    const int year = today.tm_year + 1900;
    const int month = today.tm_mon + 1;
    if (kind == ChartYearCosts) {
        data.slotCount = 12;
        log.Select(MakeLocalTime(year, 1, 1, 0, 0, 0), now);
    } else {
        const CPeriod period = MonthPeriod(year, month);
        log.Select(period.start, period.end);
        if (kind == ChartMonthDurations || kind == ChartMonthCosts)
            data.slotCount = DaysInMonth(year, month);
        else
            data.slotCount = kind == ChartWeekdayDurations || kind == ChartWeekdayCosts ? 7 : 24;
    }
    if (!log.HasSelection())
        return data;

    std::vector<double> values(static_cast<std::size_t>(data.slotCount), 0.0);
    for (int i = log.FirstSelected(); i <= log.LastSelected(); ++i) {
        int slot = SlotOf(log.Record(i), kind);
        if (slot >= 0 && slot < data.slotCount)
            values[static_cast<std::size_t>(slot)] += ValueOf(log.Record(i), kind);
    }
    // Bar 0 is the last slot: the month's last day, December, Saturday, hour 23.
    for (int i = 0; i < data.slotCount; ++i) {
        const int slot = data.slotCount - 1 - i;
        data.bars.push_back({values[static_cast<std::size_t>(slot)], SlotLabel(slot, kind)});
    }
    return data;
}

} // namespace murmex
