#pragma once

#include <QIcon>

// The notification-area pictures (350, 365, 366, 388-391 of
// tray_icon_picture.h), drawn in code: the program's bubble, gray while
// offline, blue when logged in, amber while logging in, with an envelope for
// unread messages and a green figure for a friend who just came online.
namespace murmex {

// An empty icon for an unknown number.
QIcon TrayPicture(int number);

} // namespace murmex
