#pragma once

#include "counter/tariff_period.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

// Impulse lengths over one day: a default length and, per minute of the day, an
// override (0 = the default applies).
class Tariff {
public:
    static constexpr int kMinutesPerDay = 1440;
    static constexpr int kDefaultLength = 180;

    int DefaultLength() const { return m_defaultLength; }
    void SetDefaultLength(int seconds) { m_defaultLength = seconds; }

    // Applies "H:M-H:M" (a time without ':' is whole hours) with the impulse length;
    // both ends are included, and a length of 0 returns the minutes to the default.
    // Nothing changes when the end lies before the start or the text has no '-'.
    // Minutes outside the day are clipped to it. False when nothing was applied.
    bool SetRange(std::string_view range, int length);
    // The same on minutes of the day (0-1439), both included.
    bool SetMinutes(int first, int last, int length);

    // Maximal runs of equal, non-zero minutes, in ascending order.
    std::vector<TariffPeriod> Periods() const;

    // The impulse length at a minute of the day (hour * 60 + minute).
    int LookupMinute(int minuteOfDay) const;
    // The impulse length at the local hour and minute of a time value.
    int Lookup(std::int64_t time) const;

    // The stored form of one period: "8:0-17:59!120".
    static std::string PeriodSetting(const TariffPeriod& period);
    // A period as the tariff window lists it: "08:00 - 17:59".
    static std::string PeriodListText(const TariffPeriod& period);
    // The range that the tariff window applies from its two time pickers: "8:0-17:59".
    static std::string RangeText(int startHour, int startMinute, int endHour, int endMinute);

private:
    int m_defaultLength = kDefaultLength;
    std::array<std::uint16_t, kMinutesPerDay> m_minutes{};
};

} // namespace murmex
