#include "storage/record_line.h"

namespace murmex {

bool IsRecordLine(std::string_view line) {
    std::size_t i = 0;
    const std::size_t end = line.size();
    if (end == 0)
        return false;
    while (i < end) {
        const std::size_t nameStart = i;
        while (i < end && line[i] != '=' && line[i] != ' ' && line[i] != '"')
            ++i;
        if (i == nameStart || i + 1 >= end || line[i] != '=' || line[i + 1] != '"')
            return false;
        i += 2;
        // The value runs to the first quote that no backslash escapes.
        while (i < end && !(line[i] == '"' && line[i - 1] != '\\'))
            ++i;
        if (i >= end)
            return false;
        ++i;
        if (i == end)
            return true;
        if (line[i] != ' ')
            return false;
        ++i;
    }
    return true;
}

} // namespace murmex
