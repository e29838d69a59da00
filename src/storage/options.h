#pragma once

#include <string>
#include <string_view>

namespace murmex {

// The options table: the "Options" section of murmex.cfg, held in memory for
// the whole run. Every value is a text; flags are "1" and "0". Safe to use from
// any thread.

// Appends every well-formed line of the section to the table.
void LoadOptions();
// Rewrites the section with every pair in table order. False when the file
// could not be written.
bool SaveOptions();
bool HasOption(std::string_view name);
// The value, or the empty text when the name is absent.
std::string GetOption(std::string_view name);
// An existing name changes in memory only; a new name is appended and the
// table is saved at once.
void SetOption(std::string_view name, std::string_view value);
void SetOptionInt(std::string_view name, int value);

// Empties the table (tests, and a clean start of the tools).
void ClearOptions();

} // namespace murmex
