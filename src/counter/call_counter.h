#pragma once

#include "counter/call_log.h"
#include "counter/call_record.h"
#include "counter/tariff.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace murmex {

class IClock;

// Times the dial-up connection, charges its impulses under the tariff of the day
// and logs every finished call. One per program; everything runs on the UI thread.
class CallCounter {
public:
    static constexpr double kDefaultPrice = 0.33;
    static constexpr const char* kSettingsSection = "Counter";

    // Starts with the defaults (180-second impulses, 0.33 zł, no free days) and
    // then loads the settings and the log.
    explicit CallCounter(const IClock& clock);

    // Settings from the Counter section of murmex.cfg, the log from counter.cfg;
    // what they do not set keeps its default.
    void Load();
    // Both are written when a call ends; false when either could not be written.
    bool Save();
    void LoadSettings();
    bool SaveSettings() const;

    // Whether this connection is timed at all: every connection unless it is a
    // LAN (option InternetConnection = "LAN") and the user did not force modem
    // counting (option ForceModem = "1").
    static bool CountingApplies();

    // The connection came up: a new call with its first impulse charged now. A
    // call still open from before is ended and logged first, never dropped.
    void StartCall();
    // The connection went down: the call gets its duration, goes into the log and
    // everything is saved. False when no call was running.
    bool EndCall();
    bool IsCallRunning() const { return m_call.has_value(); }
    const CallRecord* CurrentCall() const { return m_call ? &*m_call : nullptr; }

    // The heartbeat's call while the connection stays up: once per elapsed second
    // of the call it charges the next impulse when it is due. True when a new
    // second began (the counter text is then refreshed).
    bool TimerEvent();
    // The impulse step: charges an impulse once more than the impulse length in
    // force at the last impulse's minute has passed.
    void Tick();

    // The main bar's counter field (UTF-8): elapsed time and running cost taking
    // turns every five seconds, or "LAN" when the connection is not counted.
    std::string CounterText() const;

    // Free weekdays (bit w = weekday w, 0 = Sunday) and yearly holidays make a day
    // a holiday day, priced by the holiday tariff.
    bool IsHolidayDay(std::int64_t time) const;
    const Tariff& TariffFor(std::int64_t time) const;

    int FreeDays() const { return m_freeDays; }
    void SetFreeDays(int bits) { m_freeDays = bits & 0x7F; }
    bool IsFreeWeekday(int weekday) const;
    void SetFreeWeekday(int weekday, bool free);

    const std::vector<std::int64_t>& Holidays() const { return m_holidays; }
    void AddHoliday(std::int64_t midnight2000) { m_holidays.push_back(midnight2000); }
    bool RemoveHoliday(int index);

    Tariff& NormalTariff() { return m_normal; }
    Tariff& HolidayTariff() { return m_holiday; }
    const Tariff& NormalTariff() const { return m_normal; }
    const Tariff& HolidayTariff() const { return m_holiday; }

    double PricePerImpulse() const { return m_price; }
    void SetPricePerImpulse(double zloty) { m_price = zloty; }

    CallLog& Log() { return m_log; }
    const CallLog& Log() const { return m_log; }
    const IClock& Clock() const { return m_clock; }

private:
    std::int64_t Elapsed() const;

    const IClock& m_clock;
    int m_freeDays = 0;
    std::vector<std::int64_t> m_holidays;
    Tariff m_holiday;
    Tariff m_normal;
    CallLog m_log;
    double m_price = kDefaultPrice;
    std::optional<CallRecord> m_call;
    std::int64_t m_lastShown = 0;
};

} // namespace murmex
