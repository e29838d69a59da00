#pragma once

#include <array>
#include <string>

namespace murmex {

// The vertical scale of a chart: four grid steps up to the maximum.
struct CChartScale {
    double step = 0;                   // minutes or złoty
    double maximum = 0;                // seconds or złoty: the top grid line
    std::array<std::string, 4> labels; // at 1, 2, 3 and 4 steps
    std::string unit;                  // "min" or "zł" (UTF-8)
};

// The first of 1, 2, 3, 4, 5, 10, 15, 20, 30, 60 minutes whose four steps exceed
// the largest value (seconds), else the first whole hour that does. Strict: a
// largest value of exactly 4 minutes takes 2-minute steps.
CChartScale MinutesScale(double maxSeconds);
// The first of 0.25, 1, 2, 3, 4, 5, 10, 15, 20, 25, 50, 100 zł whose four steps
// exceed the largest value, else the first multiple of 100 zł that does.
CChartScale ZlotyScale(double maxZloty);

} // namespace murmex
