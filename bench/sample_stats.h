#pragma once

// Order statistics of timed samples, for the benchmarks that report medians
// and percentiles of their own measurements.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace murmex::bench {

// The sample at fraction `p` of the sorted samples (0 the smallest, 1 the
// largest, rounding down between); 0 without samples.
inline double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    const auto k = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
    return values[k];
}

// The middle sample, the upper of the two middle ones for an even count; 0
// without samples.
inline double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace murmex::bench
