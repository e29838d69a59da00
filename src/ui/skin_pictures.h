#pragma once

#include <QPixmap>
#include <QSize>

// Every picture of the common window look, drawn in code so that it stays
// sharp at any display scaling. The numbers are the resource numbers the
// windows know the pictures by.
namespace murmex {

enum ESkinPicture : int {
    kPicCloseHover = 210,
    kPicCloseNormal = 211,
    kPicLogo = 212,
    kPicClosePressed = 213,
    kPicLogoWide = 379,
    // The main bar's hide button, next to its close button.
    kPicHideNormal = 1211,
    kPicHideHover = 1210,
    kPicHidePressed = 1213,
};

// The picture's size in device-independent pixels; empty for an unknown number.
QSize SkinPictureSize(int picture);

// The picture drawn for a screen with the given device pixel ratio (cached).
// An unknown number gives a null pixmap.
QPixmap SkinPicture(int picture, qreal devicePixelRatio);

} // namespace murmex
