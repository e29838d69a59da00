// The counter's settings: the Counter section of murmex.cfg.
#include "counter/call_counter.h"
#include "counter/counter_format.h"
#include "storage/config_store.h"

#include <string>

namespace murmex {

namespace {

// Keys of the Counter section. Files written by earlier versions use exactly
// these names and this order; do not change them.
constexpr const char* kNormalPeriod = "normal_tarif";
constexpr const char* kHolidayPeriod = "celebrity_tarif";
constexpr const char* kHoliday = "celebrity";
constexpr const char* kFreeDays = "freedays";
constexpr const char* kPrice = "paypertick";
constexpr const char* kNormalLength = "normal_ticklength";
constexpr const char* kHolidayLength = "celebrity_ticklength";

// "8:0-17:59!120": the range before the first '!', the impulse length after it.
// A line without '!' is damaged and is left out rather than read as length 0,
// which would clear the minutes an earlier line set.
void ApplyPeriod(Tariff& tariff, const std::string& value) {
    auto bang = value.find('!');
    if (bang == std::string::npos)
        return;
    tariff.SetRange(std::string_view(value).substr(0, bang),
                    LeadingInt32(std::string_view(value).substr(bang + 1)));
}

} // namespace

void CallCounter::LoadSettings() {
    // Ranges and holidays accumulate while reading, so start from the defaults.
    m_normal = Tariff();
    m_holiday = Tariff();
    m_holidays.clear();
    m_freeDays = 0;
    m_price = kDefaultPrice;

    CConfigStore store;
    store.Open(kSettingsSection, CConfigStore::Read);
    std::string name, value;
    while (!store.AtEnd()) {
        if (!store.ReadValue(name, value))
            continue;
        if (name == kNormalPeriod)
            ApplyPeriod(m_normal, value);
        else if (name == kHolidayPeriod)
            ApplyPeriod(m_holiday, value);
        else if (name == kNormalLength)
            m_normal.SetDefaultLength(LeadingInt32(value));
        else if (name == kHolidayLength)
            m_holiday.SetDefaultLength(LeadingInt32(value));
        else if (name == kPrice)
            m_price = LeadingDouble(value);
        else if (name == kHoliday)
            m_holidays.push_back(LeadingInt(value));
        else if (name == kFreeDays)
            SetFreeDays(LeadingInt32(value));
    }
    store.Close();
}

bool CallCounter::SaveSettings() const {
    CConfigStore store;
    store.Open(kSettingsSection, CConfigStore::Write);
    for (const auto& period : m_normal.Periods())
        store.WriteValue(kNormalPeriod, Tariff::PeriodSetting(period));
    for (const auto& period : m_holiday.Periods())
        store.WriteValue(kHolidayPeriod, Tariff::PeriodSetting(period));
    for (std::int64_t holiday : m_holidays)
        store.WriteValue(kHoliday, FormatC("%lld", static_cast<long long>(holiday)));
    store.WriteValue(kFreeDays, FormatC("%d", m_freeDays));
    store.WriteValue(kPrice, FormatC("%.2f", m_price));
    store.WriteValue(kNormalLength, FormatC("%d", m_normal.DefaultLength()));
    store.WriteValue(kHolidayLength, FormatC("%d", m_holiday.DefaultLength()));
    return store.Close();
}

} // namespace murmex
