#pragma once

#include <string_view>

// The shell's own texts (UTF-8), each defined once; the numbers are the string
// ids the main bar and the menus refer to.
namespace murmex {

inline constexpr std::string_view kTextOnline = "Online";
inline constexpr std::string_view kTextOffline = "Offline"; // string 126
inline constexpr std::string_view kTextLoggedInSuffix = " i zalogowany";

// String 117: a login could not be started or failed while the Internet is up.
inline constexpr std::string_view kTextLoginFailed =
    "Nie mogę połączyć się z serwerem mimo istnienia połączenia z Internetem. Możesz połączyć "
    "się ręcznie za pomocą wyboru \"Zaloguj się\" z głównego menu.";

inline constexpr std::string_view kTextCannotAddFriend = "Nie mogę dodać znajomego.";
inline constexpr std::string_view kTextCannotRemoveFriend = "Nie mogę usunąć znajomego.";

} // namespace murmex
