#include "counter/tariff.h"

#include "counter/counter_format.h"
#include "counter/local_time.h"

#include <algorithm>

namespace murmex {

namespace {

// "H:M" or "H" as minutes of the day; the numbers read like atoi.
std::int64_t MinuteOfDay(std::string_view text) {
    auto colon = text.find(':');
    std::int64_t hours = LeadingInt(text.substr(0, colon));
    std::int64_t minutes = colon == std::string_view::npos ? 0 : LeadingInt(text.substr(colon + 1));
    // Saturating keeps absurd inputs from overflowing; they are clipped anyway.
    hours = std::clamp<std::int64_t>(hours, -1000000, 1000000);
    minutes = std::clamp<std::int64_t>(minutes, -1000000, 1000000);
    return hours * 60 + minutes;
}

} // namespace

bool Tariff::SetRange(std::string_view range, int length) {
    auto dash = range.find('-');
    if (dash == std::string_view::npos)
        return false;
    std::int64_t first = MinuteOfDay(range.substr(0, dash));
    std::int64_t last = MinuteOfDay(range.substr(dash + 1));
    if (last < first || last < 0 || first >= kMinutesPerDay)
        return false;
    return SetMinutes(static_cast<int>(std::max<std::int64_t>(first, 0)),
                      static_cast<int>(std::min<std::int64_t>(last, kMinutesPerDay - 1)), length);
}

bool Tariff::SetMinutes(int first, int last, int length) {
    first = std::max(first, 0);
    last = std::min(last, kMinutesPerDay - 1);
    if (last < first)
        return false;
    // The table holds 16-bit lengths; a negative one means nothing sensible, so it
    // clears like 0 does.
    auto value = static_cast<std::uint16_t>(std::clamp(length, 0, 0xFFFF));
    std::fill(m_minutes.begin() + first, m_minutes.begin() + last + 1, value);
    return true;
}

std::vector<TariffPeriod> Tariff::Periods() const {
    std::vector<TariffPeriod> periods;
    int start = 0;
    while (start < kMinutesPerDay) {
        int end = start;
        while (end + 1 < kMinutesPerDay && m_minutes[end + 1] == m_minutes[start])
            ++end;
        if (m_minutes[start] != 0)
            periods.push_back({start / 60, start % 60, end / 60, end % 60, m_minutes[start]});
        start = end + 1;
    }
    return periods;
}

int Tariff::LookupMinute(int minuteOfDay) const {
    if (minuteOfDay < 0 || minuteOfDay >= kMinutesPerDay)
        return m_defaultLength;
    int entry = m_minutes[minuteOfDay];
    return entry != 0 ? entry : m_defaultLength;
}

int Tariff::Lookup(std::int64_t time) const {
    std::tm tm{};
    if (!LocalTm(time, tm))
        return m_defaultLength;
    return LookupMinute(tm.tm_hour * 60 + tm.tm_min);
}

std::string Tariff::PeriodSetting(const TariffPeriod& p) {
    return FormatC("%d:%d-%d:%d!%d", p.startHour, p.startMinute, p.endHour, p.endMinute, p.length);
}

std::string Tariff::PeriodListText(const TariffPeriod& p) {
    return FormatC("%.2d:%.2d - %.2d:%.2d", p.startHour, p.startMinute, p.endHour, p.endMinute);
}

std::string Tariff::RangeText(int startHour, int startMinute, int endHour, int endMinute) {
    return FormatC("%d:%d-%d:%d", startHour, startMinute, endHour, endMinute);
}

} // namespace murmex
