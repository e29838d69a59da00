#include "counter/chart_scale.h"

#include "counter/counter_format.h"

#include <cmath>

namespace murmex {

namespace {

// Past the fixed steps the scale grows in whole units without bound, so however
// large the values, every bar fits under the top line.
double NextMultiple(double unit, double steps, double maxValue) {
    if (!std::isfinite(maxValue))
        maxValue = 0;
    return unit * (std::floor(maxValue / (steps * unit)) + 1);
}

} // namespace

CChartScale MinutesScale(double maxSeconds) {
    static const double steps[] = {1, 2, 3, 4, 5, 10, 15, 20, 30, 60};
    CChartScale scale;
    scale.step = 0;
    for (double t : steps) {
        if (t * 240 > maxSeconds) {
            scale.step = t;
            break;
        }
    }
    if (scale.step == 0)
        scale.step = NextMultiple(60, 240, maxSeconds);
    scale.maximum = scale.step * 240;
    for (int k = 0; k < 4; ++k)
        scale.labels[static_cast<std::size_t>(k)] = FormatC("%.0f", scale.step * (k + 1));
    scale.unit = "min";
    return scale;
}

CChartScale ZlotyScale(double maxZloty) {
    static const double steps[] = {0.25, 1, 2, 3, 4, 5, 10, 15, 20, 25, 50, 100};
    CChartScale scale;
    for (double c : steps) {
        if (4 * c > maxZloty) {
            scale.step = c;
            break;
        }
    }
    if (scale.step == 0)
        scale.step = NextMultiple(100, 4, maxZloty);
    scale.maximum = scale.step * 4;
    for (int k = 0; k < 4; ++k)
        scale.labels[static_cast<std::size_t>(k)] = FormatC("%.2f", scale.step * (k + 1));
    scale.unit = "zł";
    return scale;
}

} // namespace murmex
