#include "counter/call_counter.h"

#include "counter/counter_format.h"
#include "counter/local_time.h"
#include "platform/clock.h"
#include "storage/options.h"

#include <algorithm>

namespace murmex {

CallCounter::CallCounter(const IClock& clock) : m_clock(clock) {
    Load();
}

void CallCounter::Load() {
    LoadSettings();
    m_log.Load();
}

bool CallCounter::Save() {
    bool settings = SaveSettings();
    bool log = m_log.Save();
    return settings && log;
}

bool CallCounter::CountingApplies() {
    return GetOption("InternetConnection") != "LAN" || GetOption("ForceModem") == "1";
}

void CallCounter::StartCall() {
    if (m_call)
        EndCall();
    CallRecord call;
    call.start = m_clock.WallSeconds();
    call.lastImpulse = call.start;
    call.duration = 0;
    call.impulses = 1;
    call.pricePerImpulse = m_price;
    m_call = call;
    m_lastShown = 0;
}

bool CallCounter::EndCall() {
    if (!m_call)
        return false;
    CallRecord call = *m_call;
    m_call.reset();
    // A clock set back during the call must not log a negative duration.
    call.duration = std::max<std::int64_t>(m_clock.WallSeconds() - call.start, 0);
    m_log.Insert(call);
    Save();
    return true;
}

std::int64_t CallCounter::Elapsed() const {
    if (!m_call)
        return 0;
    return std::max<std::int64_t>(m_clock.WallSeconds() - m_call->start, 0);
}

bool CallCounter::TimerEvent() {
    if (!m_call)
        return false;
    std::int64_t elapsed = m_clock.WallSeconds() - m_call->start;
    if (elapsed == m_lastShown)
        return false;
    m_lastShown = elapsed;
    Tick();
    return true;
}

void CallCounter::Tick() {
    if (!m_call)
        return;
    const std::int64_t now = m_clock.WallSeconds();
    if (now < m_call->lastImpulse) {
        // The clock went back: count the running impulse from now on instead of
        // charging nothing until the clock catches up again.
        m_call->lastImpulse = now;
        return;
    }
    // The day type is today's, the length that of the minute the last impulse fell in.
    int length = TariffFor(now).Lookup(m_call->lastImpulse);
    if (now - m_call->lastImpulse > length) {
        ++m_call->impulses;
        m_call->lastImpulse = now;
    }
}

std::string CallCounter::CounterText() const {
    if (!CountingApplies())
        return "LAN";
    std::int64_t elapsed = Elapsed();
    if ((elapsed % 60 / 5) % 2 == 0)
        return FormatSpan(elapsed);
    return FormatMoney(m_call ? m_call->Cost() : 0.0);
}

bool CallCounter::IsHolidayDay(std::int64_t time) const {
    std::tm day{};
    if (!LocalTm(time, day))
        return false;
    if (IsFreeWeekday(day.tm_wday))
        return true;
    for (std::int64_t holiday : m_holidays) {
        std::tm h{};
        if (LocalTm(holiday, h) && h.tm_mday == day.tm_mday && h.tm_mon == day.tm_mon)
            return true;
    }
    return false;
}

const Tariff& CallCounter::TariffFor(std::int64_t time) const {
    return IsHolidayDay(time) ? m_holiday : m_normal;
}

bool CallCounter::IsFreeWeekday(int weekday) const {
    return weekday >= 0 && weekday <= 6 && (m_freeDays & (1 << weekday)) != 0;
}

void CallCounter::SetFreeWeekday(int weekday, bool free) {
    if (weekday < 0 || weekday > 6)
        return;
    if (free)
        m_freeDays |= 1 << weekday;
    else
        m_freeDays &= ~(1 << weekday);
}

bool CallCounter::RemoveHoliday(int index) {
    if (index < 0 || index >= static_cast<int>(m_holidays.size()))
        return false;
    m_holidays.erase(m_holidays.begin() + index);
    return true;
}

} // namespace murmex
