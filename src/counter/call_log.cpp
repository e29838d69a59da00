#include "counter/call_log.h"

#include "counter/counter_format.h"
#include "storage/config_store.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace murmex {

namespace {

// One whitespace-led integer field, like scanf's "%d" (but 64-bit); false when
// no digits follow.
bool ReadIntField(const char*& p, long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    p = end;
    return true;
}

} // namespace

void CallLog::Insert(CallRecord record) {
    auto at = m_records.end();
    while (at != m_records.begin() && record.start < (at - 1)->start)
        --at;
    m_records.insert(at, record);
}

std::string CallLog::FormatLine(const CallRecord& r) {
    return FormatC("%lld %lld %d %.2f", static_cast<long long>(r.start),
                   static_cast<long long>(r.duration), r.impulses, r.pricePerImpulse);
}

bool CallLog::ParseLine(const std::string& line, CallRecord& record) {
    const char* p = line.c_str();
    long long start = 0, duration = 0, impulses = 0;
    if (!ReadIntField(p, start) || !ReadIntField(p, duration) || !ReadIntField(p, impulses))
        return false;
    if (impulses < INT_MIN || impulses > INT_MAX)
        return false;
    // The price is a plain decimal; strtod's other forms ("nan", "inf", hex) would
    // poison every total they enter.
    while (*p == ' ' || *p == '\t')
        ++p;
    const char* q = (*p == '+' || *p == '-') ? p + 1 : p;
    if (!((*q >= '0' && *q <= '9') || (*q == '.' && q[1] >= '0' && q[1] <= '9')))
        return false;
    double price = LeadingDouble(p);
    if (!std::isfinite(price))
        return false;
    record = CallRecord{};
    record.start = start;
    record.lastImpulse = start;
    record.duration = duration;
    record.impulses = static_cast<int>(impulses);
    record.pricePerImpulse = price;
    return true;
}

bool CallLog::Load() {
    // A second load must not double every call (the next save would store both).
    *this = CallLog();
    CConfigStore store;
    bool opened = store.Open(kSection, CConfigStore::ReadFile, kFileName);
    std::string line;
    while (!store.AtEnd()) {
        if (!store.ReadLine(line))
            break;
        CallRecord record;
        if (ParseLine(line, record))
            Insert(record);
    }
    store.Close();
    return opened;
}

bool CallLog::Save() const {
    CConfigStore store;
    store.Open(kSection, CConfigStore::WriteFile, kFileName);
    for (const auto& record : m_records)
        store.WriteLine(FormatLine(record));
    return store.Close();
}

void CallLog::Select(std::int64_t periodStart, std::int64_t periodEnd) {
    m_periodStart = periodStart;
    m_periodEnd = periodEnd;
    m_totalDuration = 0;
    m_totalImpulses = 0;
    m_totalCost = 0.0;

    auto byStart = [](std::int64_t t, const CallRecord& r) { return t < r.start; };
    auto last = std::upper_bound(m_records.begin(), m_records.end(), periodEnd, byStart);
    m_last = static_cast<int>(last - m_records.begin()) - 1;
    if (m_last < 0) {
        m_first = 0;
        return;
    }
    // Searched below the last one only: a period that ends before it starts
    // selects nothing rather than a reversed range.
    auto first = std::upper_bound(m_records.begin(), last, periodStart, byStart);
    m_first = static_cast<int>(first - m_records.begin());
    if (m_first > m_last) {
        m_last = -1;
        m_first = 0;
        return;
    }
    for (int i = m_first; i <= m_last; ++i) {
        const CallRecord& r = Record(i);
        // A damaged file can hold durations whose sum does not fit; the total stops at the limit.
        if (__builtin_add_overflow(m_totalDuration, r.duration, &m_totalDuration))
            m_totalDuration = r.duration > 0 ? std::numeric_limits<std::int64_t>::max()
                                             : std::numeric_limits<std::int64_t>::min();
        m_totalImpulses += r.impulses;
        m_totalCost += r.Cost();
    }
}

std::vector<CCallRow> CallLog::ListRows() const {
    std::vector<CCallRow> rows;
    if (m_last < 0)
        return rows;
    for (int i = m_first; i <= m_last; ++i) {
        const CallRecord& r = Record(i);
        rows.push_back({FormatLocalTime("%x", r.start), FormatLocalTime("%X", r.start),
                        FormatSpan(r.duration), FormatC("%d", r.impulses), FormatMoney(r.Cost())});
    }
    return rows;
}

} // namespace murmex
