#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number and time texts of the call counter. Every file it writes (the settings,
// counter.cfg, billing.txt) must read the same whatever locale the desktop runs
// in, so all of these format and parse in the "C" locale, even after the GUI
// has switched the process to the user's locale.
namespace murmex {

// printf into a string, in the "C" locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// strftime of a time value in local time, in the "C" locale ("%x", "%X", "%c").
// An unrepresentable time gives the empty text.
std::string FormatLocalTime(const char* format, std::int64_t time);

// A span as "HH:MM:SS", where the hours are those within a day (0-23): whole days
// are not shown, so 25 hours reads 01:00:00. A negative span reads 00:00:00.
std::string FormatSpan(std::int64_t seconds);

// A price or cost as "%.2f zł", UTF-8 (for the screen).
std::string FormatMoney(double zloty);

// Like the C library's atoi/atof: the leading number of the text, anything else
// gives 0. Out-of-range integers saturate; a non-finite double reads as 0.
std::int64_t LeadingInt(std::string_view text);
int LeadingInt32(std::string_view text);
double LeadingDouble(std::string_view text);

} // namespace murmex
