#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace murmex {

// Lower-cases UTF-8 text for searching: ASCII and the accented Latin letters
// (so "ŁÓDŹ" finds "łódź"). Other characters pass through as they are.
std::string FoldCase(std::string_view utf8);

// Makes FoldCase available to SQL as murmex_fold(text) on this connection.
bool RegisterFoldFunction(sqlite3* db);

} // namespace murmex
