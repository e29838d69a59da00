#pragma once

#include <string_view>

namespace murmex {

// True when the line has the form every record line of the data file is
// written in: one or more  name="value"  entries, each but the last followed
// by one blank (the writer puts one after the last too). A quote inside a
// value stands behind a backslash. Anything else (a line cut in the middle of
// a value, stray text, binary junk) is not a record: reading it would make up
// an empty record that a later save writes back as if it were data.
bool IsRecordLine(std::string_view line);

} // namespace murmex
