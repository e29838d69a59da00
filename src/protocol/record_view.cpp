#include "protocol/record_view.h"

#include "protocol/param_record.h"

namespace murmex {

bool CRecordView::Parse(std::string_view line) {
    m_entries.clear();
    // One pass over the bytes. Escapes, encoded line breaks and a NUL (which
    // ends the text early) all need the decoding reader.
    const char* const data = line.data();
    const std::size_t end = line.size();
    if (end == 0)
        return false; // not a record at all
    std::size_t i = 0;
    while (i < end) {
        const std::size_t nameStart = i;
        for (; i < end && data[i] != '='; ++i) {
            const char c = data[i];
            if (c == ' ' || c == '"' || c == '\\' || c == '~' || c == '\0')
                return false;
        }
        if (i == nameStart || i + 1 >= end || data[i + 1] != '"')
            return false;
        const std::size_t nameEnd = i;
        i += 2;
        const std::size_t valueStart = i;
        for (; i < end && data[i] != '"'; ++i) {
            const char c = data[i];
            if (c == '\\' || c == '~' || c == '\0')
                return false;
        }
        if (i >= end || nameEnd - nameStart > CParamRecord::kMaxField ||
            i - valueStart > CParamRecord::kMaxField)
            return false;
        m_entries.emplace_back(std::string_view(data + nameStart, nameEnd - nameStart),
                               std::string_view(data + valueStart, i - valueStart));
        ++i; // the closing quote
        if (i < end && data[i++] != ' ')
            return false;
    }
    return true;
}

const std::string_view* CRecordView::Find(std::string_view name) const {
    for (const auto& entry : m_entries)
        if (entry.first == name)
            return &entry.second;
    return nullptr;
}

} // namespace murmex
