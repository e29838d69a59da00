#include "session/tray_icon_picture.h"

namespace murmex {

int TrayIconPicture(int iconState, std::int64_t wallSecond) {
    // Negative seconds (before 1970) still alternate.
    const bool even = wallSecond % 2 == 0;
    if (iconState & kIconLoginInProgress)
        return even ? kTrayLoginEven : kTrayLoginOdd;
    if (iconState & kIconLoggedIn) {
        if ((iconState & kIconFriendOnline) && !even)
            return kTrayFriendOnline;
        if ((iconState & kIconUnreadMessages) && even)
            return kTrayUnread;
        return kTrayOnline;
    }
    if ((iconState & kIconUnreadMessages) && even)
        return kTrayOfflineUnread;
    return kTrayOffline;
}

} // namespace murmex
