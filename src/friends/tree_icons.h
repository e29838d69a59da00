#pragma once

#include <QIcon>
#include <QPixmap>
#include <string_view>

// The small pictures of the friend tree and the favourite channel list, one
// strip shared by both. Drawn in code so that they stay sharp at any scaling;
// the numbers are the positions in the strip that the trees store per item.
namespace murmex {

enum ETreeIcon : int {
    kIconGroupClosed = 0, // also every favourite channel
    kIconGroupOpen = 1,
    kIconOffline = 2,        // neither the program running nor in the web chat
    kIconChatAndProgram = 3, // both
    kIconProgram = 4,        // the program running, not in the chat
    kIconChat = 5,           // in the chat, the program not running
    kIconBlinkOdd = 6,       // the two frames of an unread message
    kIconBlinkEven = 7,
    kIconLocalContact = 8, // a contact kept on this computer only: no presence
    kTreeIconCount = 9,
};

inline constexpr int kTreeIconSize = 16;

// The icon for a friend's two presence facts.
int PresenceIcon(bool inChat, bool runningProgram);

// What the picture says, for a screen reader (UTF-8); empty for the group and
// channel pictures, whose items say it themselves.
std::string_view IconDescription(int icon);

// One picture for a display with the given device pixel ratio; null for an
// unknown number.
QPixmap TreeIconPixmap(int icon, qreal devicePixelRatio);

// The picture at 1x and 2x, so the view takes the sharp one for its screen.
QIcon TreeIcon(int icon);

} // namespace murmex
