#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace murmex {

class CallLog;

// The statistics window's chart kinds, in the order of its list.
enum EChartKind {
    ChartLast30Durations = 0,
    ChartLast30Costs = 1,
    ChartMonthDurations = 2,
    ChartMonthCosts = 3,
    ChartYearCosts = 4,
    ChartWeekdayDurations = 5,
    ChartWeekdayCosts = 6,
    ChartHourDurations = 7,
    ChartHourCosts = 8,
};
constexpr int kChartKindCount = 9;

// The list text of a kind (UTF-8); empty for an unknown kind.
std::string ChartKindText(int kind);

struct CChartBar {
    double value = 0;  // seconds or złoty
    std::string label; // UTF-8, may be empty
};

// The bars of one chart. Bar 0 is drawn in the rightmost of the slots; there may
// be fewer bars than slots (the last 30 calls of a shorter log), and none at all
// when the chart's period holds no call.
struct CChartData {
    bool money = false; // złoty axis, else minutes
    int slotCount = 0;  // "slots" is a keyword wherever Qt is included
    std::vector<CChartBar> bars;

    double Maximum() const;
};

// Gathers a chart from the log. Kinds 2-8 select their period (this month, or
// this year up to now) in the log and leave that selection in place, so a billing
// report made afterwards covers the chart's period.
CChartData GatherChart(CallLog& log, int kind, std::int64_t now);

} // namespace murmex
