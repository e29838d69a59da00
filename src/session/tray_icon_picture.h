#pragma once

#include <cstdint>

namespace murmex {

// The heartbeat's icon state bits.
inline constexpr int kIconLoginInProgress = 1;
inline constexpr int kIconLoggedIn = 2;
inline constexpr int kIconUnreadMessages = 4;
inline constexpr int kIconFriendOnline = 8;

// The notification-area pictures, by their resource numbers.
inline constexpr int kTrayOffline = 350;
inline constexpr int kTrayLoginEven = 365;
inline constexpr int kTrayLoginOdd = 366;
inline constexpr int kTrayUnread = 388;
inline constexpr int kTrayFriendOnline = 389;
inline constexpr int kTrayOfflineUnread = 390;
inline constexpr int kTrayOnline = 391;

// The picture for the icon state at this wall-clock second: the pictures
// alternate with the second so that a login in progress, unread messages and a
// friend who just came online make the icon blink.
int TrayIconPicture(int iconState, std::int64_t wallSecond);

} // namespace murmex
