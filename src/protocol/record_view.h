#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace murmex {

// The entries of one stored record line, read in place without copying a
// byte. Start-up reads tens of thousands of message lines; building a
// CParamRecord for each (a vector and ten strings) cost more than everything
// else the data's start-up does.
//
// Only lines whose values read back exactly as written are taken: no
// backslash, tilde or NUL anywhere and no name or value longer than
// CParamRecord::kMaxField. For those, Parse gives the same entries as
// CParamRecord::Parse(line, 0); for any other line it returns false and the
// caller reads the line with CParamRecord, which decodes and cuts. The line
// must already be a record line (IsRecordLine), and must outlive the view.
class CRecordView {
public:
    bool Parse(std::string_view line);
    // The first entry's value, as CParamRecord::Get; null when there is none.
    const std::string_view* Find(std::string_view name) const;
    std::size_t Size() const { return m_entries.size(); }

private:
    std::vector<std::pair<std::string_view, std::string_view>> m_entries;
};

} // namespace murmex
