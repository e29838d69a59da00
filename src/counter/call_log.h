#pragma once

#include "counter/call_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace murmex {

class CConfigStore;

// One row of the call list, as the window shows it (UTF-8).
struct CCallRow {
    std::string date;     // "%x"
    std::string time;     // "%X"
    std::string duration; // "HH:MM:SS", hours within a day
    std::string impulses; // "%d"
    std::string cost;     // "%.2f zł"
};

// The finished calls, ascending by start, and the period currently selected.
class CallLog {
public:
    static constexpr const char* kFileName = "counter.cfg";
    static constexpr const char* kSection = "Data";

    // Keeps start order; a record with the same start as others goes after them.
    void Insert(CallRecord record);

    // Replaces the records with every well-formed line of the Data section of
    // counter.cfg, inserted in start order, so an unsorted file comes out sorted. A line that does
    // not begin with four numbers is skipped. False when the file could not be opened (the log
    // stays as it was).
    bool Load();
    // Rewrites the Data section of counter.cfg, one line per record. False when
    // the file could not be written.
    bool Save() const;

    // The stored line of one record and its parse; false for a malformed line.
    static std::string FormatLine(const CallRecord& record);
    static bool ParseLine(const std::string& line, CallRecord& record);

    // Selects every record with periodStart < start <= periodEnd and totals it.
    void Select(std::int64_t periodStart, std::int64_t periodEnd);

    std::int64_t PeriodStart() const { return m_periodStart; }
    std::int64_t PeriodEnd() const { return m_periodEnd; }
    // Indices of the first and last selected record; last is -1 when none is.
    int FirstSelected() const { return m_first; }
    int LastSelected() const { return m_last; }
    bool HasSelection() const { return m_last >= 0; }

    std::int64_t TotalDuration() const { return m_totalDuration; }
    std::int64_t TotalImpulses() const { return m_totalImpulses; }
    double TotalCost() const { return m_totalCost; }

    // The selected records as rows of the call list.
    std::vector<CCallRow> ListRows() const;

    int Count() const { return static_cast<int>(m_records.size()); }
    const CallRecord& Record(int index) const { return m_records[static_cast<std::size_t>(index)]; }
    const std::vector<CallRecord>& Records() const { return m_records; }

private:
    std::vector<CallRecord> m_records;
    std::int64_t m_periodStart = 0;
    std::int64_t m_periodEnd = 0;
    int m_first = 0;
    int m_last = -1;
    std::int64_t m_totalDuration = 0;
    std::int64_t m_totalImpulses = 0;
    double m_totalCost = 0.0;
};

} // namespace murmex
