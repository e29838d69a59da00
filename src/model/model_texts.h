#pragma once

// Texts of the data model, as the user sees them (UTF-8). A text that goes into
// a file or onto the wire is converted to Windows-1250 where it is used.
namespace murmex::texts {

inline constexpr const char* kWrongPassword = "Podane przez Ciebie hasło nie jest poprawne.";
inline constexpr const char* kUnknownUser = "[nieznany]";
inline constexpr const char* kImportGroupName = "Wszyscy";
inline constexpr const char* kImportChannelName = "dla wszystkich";

} // namespace murmex::texts
