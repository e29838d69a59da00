#pragma once

#include <string>

namespace murmex {

// One run of minutes with its own impulse length: the form in which a tariff is
// stored and listed. The end minute belongs to the period.
struct TariffPeriod {
    int startHour = 0;
    int startMinute = 0;
    int endHour = 0;
    int endMinute = 0;
    int length = 0; // impulse length, seconds

    bool operator==(const TariffPeriod&) const = default;
};

} // namespace murmex
