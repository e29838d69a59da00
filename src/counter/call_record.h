#pragma once

#include <cstdint>

namespace murmex {

// One timed connection. Times are seconds since 1970-01-01 UTC.
struct CallRecord {
    std::int64_t start = 0;
    // When the last impulse was charged; only meaningful while the call runs and
    // never stored.
    std::int64_t lastImpulse = 0;
    std::int64_t duration = 0; // seconds; 0 while the call runs
    int impulses = 1;
    double pricePerImpulse = 0.0; // złoty, captured when the call started

    double Cost() const { return impulses * pricePerImpulse; }
};

} // namespace murmex
