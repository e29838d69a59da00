#pragma once

#include <QPixmap>

// The 16 x 16 pictures of the main menu's items, drawn in code so that they
// stay sharp at any display scaling. The numbers are the resource numbers the
// menu knows them by.
namespace murmex {

enum EMenuIcon : int {
    kIconFriends = 173,
    kIconExit = 175,
    kIconCounter = 265,
    kIconLogout = 271,
    kIconLogin = 272,
    kIconConnect = 275,
    kIconDisconnect = 276,
    kIconChannels = 295,
    kIconOptions = 362,
    kIconUser = 364,
    kIconHelp = 399,
};

inline constexpr int kMenuIconSize = 16;

// The picture for a screen with this device pixel ratio (cached); a null
// pixmap for an unknown number.
QPixmap MenuIcon(int number, qreal devicePixelRatio);

} // namespace murmex
