#pragma once

#include <QFont>
#include <QRect>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the main bar stands and where the windows it places go. Plain
// computations on rectangles (screen coordinates, device independent), kept
// apart from the window so that they can be checked on their own.
namespace murmex {

inline constexpr int kMainBarMinHeight = 400;
inline constexpr int kMainBarDefaultLeft = 100;
inline constexpr int kMainBarDefaultTop = 10;
// The strip along the top the bar is dragged by.
inline constexpr int kMainBarMoveStripHeight = 19;
// The bar's width in dialog units of its font.
inline constexpr int kMainBarWidthUnits = 152;

// Horizontal dialog units to pixels the way dialog templates were always laid
// out: a quarter of the font's average letter width (the mean advance of
// A-Z and a-z, rounded) per unit, rounded to the nearest pixel.
int DialogUnitsToPixelsX(const QFont& font, int units);

// The floating place stored in option lastpos ("left top width height").
// Only left, top and height count; the height is at least 400. Without the
// option, or where its numbers end early, the defaults stand in (left 100,
// top 10, height 400).
struct SFloatingPlace {
    int left = kMainBarDefaultLeft;
    int top = kMainBarDefaultTop;
    int height = kMainBarMinHeight;
};
SFloatingPlace ParseLastPos(std::optional<std::string_view> option);
std::string LastPosText(const QRect& frame);

// A stored place whose title strip lies on none of the screens (a monitor
// since unplugged, a smaller resolution) would leave the bar where nobody can
// reach it: it goes back to the default corner of the first screen then.
SFloatingPlace KeepReachable(const SFloatingPlace& place, int width,
                             const std::vector<QRect>& screens);

// The docked place: the right edge of the screen, its full usable height.
QRect DockedArea(const QRect& screen, const QRect& available, int width);

// Where a dialog of this width goes beside the bar: right of it when it
// fits between the bar and the desktop's right edge, else left of it when it
// fits there; none leaves it where it is.
std::optional<int> BesideBarX(const QRect& bar, const QRect& desktop, int dialogWidth);
// The same for a dialog attached to the bar: edge to edge, overlapping by one pixel.
std::optional<int> AttachedToBarX(const QRect& bar, const QRect& desktop, int dialogWidth);

} // namespace murmex
