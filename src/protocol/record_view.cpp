#include "protocol/record_view.h"

#include "protocol/param_record.h"

#include <cstring>

namespace murmex {

bool CRecordView::Parse(std::string_view line) {
    m_entries.clear();
    // Escapes, encoded line breaks and a NUL (which ends the text early) all
    // need the decoding reader.
    for (char special : {'\\', '~', '\0'})
        if (std::memchr(line.data(), special, line.size()))
            return false;
    std::size_t i = 0;
    const std::size_t end = line.size();
    while (i < end) {
        const std::size_t eq = line.find('=', i);
        if (eq == std::string_view::npos || eq + 1 >= end || line[eq + 1] != '"')
            return false;
        const std::size_t close = line.find('"', eq + 2);
        if (close == std::string_view::npos)
            return false;
        const std::string_view name = line.substr(i, eq - i);
        const std::string_view value = line.substr(eq + 2, close - eq - 2);
        if (name.empty() || name.size() > CParamRecord::kMaxField ||
            value.size() > CParamRecord::kMaxField ||
            name.find_first_of(" \"") != std::string_view::npos)
            return false;
        m_entries.emplace_back(name, value);
        i = close + 1;
        if (i < end) {
            if (line[i] != ' ')
                return false;
            ++i;
        }
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
