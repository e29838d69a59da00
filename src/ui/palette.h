#pragma once

#include <QColor>

// The program's colours, for everything it draws itself: the title strips,
// the tray pictures and the menu icons.
namespace murmex::palette {

// The brand: the blue of the title strips, the online tray picture and the
// icons, and its dark end for gradients and outlines.
inline const QColor kBrand(38, 122, 214);
inline const QColor kBrandDark(13, 63, 134);

// The window chrome's caption buttons.
inline const QColor kCaptionBlack(0, 0, 0);
inline const QColor kGlyphIdle(200, 200, 200);
inline const QColor kCloseHover(196, 43, 28);
inline const QColor kClosePressed(143, 29, 18);
inline const QColor kHideHover(58, 58, 58);
inline const QColor kHidePressed(88, 88, 88);

// The tray pictures.
inline const QColor kOfflineGrey(140, 140, 140);
inline const QColor kLoginLight(240, 170, 30);
inline const QColor kLoginDark(200, 120, 20);
inline const QColor kEnvelopeWhite(255, 255, 255);
inline const QColor kEnvelopeLine(120, 80, 10);
inline const QColor kFriendGreen(46, 170, 70);

// The menu icons.
inline const QColor kIconOutline(40, 40, 40);
inline const QColor kIconGreen(46, 160, 67);
inline const QColor kIconRed(200, 48, 36);
inline const QColor kIconSkin(244, 200, 150);
inline const QColor kIconYellow(240, 190, 40);

} // namespace murmex::palette
