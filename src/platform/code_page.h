#pragma once

#include <string>
#include <string_view>

// Text inside the core is Windows-1250 bytes, as the files and the wire need it.
// The service speaks ISO-8859-2 on the wire; the GUI speaks UTF-8.
namespace murmex {

// Replaces the six Polish letters whose codes differ between the two pages
// (ą Ą ś Ś ź Ź); every other byte passes unchanged.
void Win1250ToWire(std::string& text);
void WireToWin1250(std::string& text);

// For the GUI boundary. Bytes that have no Windows-1250 form become '?'.
std::string Win1250ToUtf8(std::string_view text);
std::string Utf8ToWin1250(std::string_view text);

} // namespace murmex
