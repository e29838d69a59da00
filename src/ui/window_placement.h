#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QAction;
class QMenu;
class QWidget;

// Where windows and menus open. The computations are plain rectangle work in
// screen coordinates so that they can be checked on their own; the functions
// taking widgets only gather the rectangles and move.
namespace murmex {

// The top-left corner of a window of `size` that belongs to the window at
// `owner` (invalid: none): centred on it, moved beside `avoid` (the main bar)
// when it would cover it, and kept inside `available`. A window too big for
// `available` keeps its top-left corner in it.
QPoint PlacedTopLeft(const QSize& size, const QRect& owner, const QRect& available,
                     const QRect& avoid);

// `rect` moved, not resized, to lie inside `area` as far as it can.
QRect KeptInside(const QRect& rect, const QRect& area);

// The window no other window should cover: the main bar, while it is shown.
// The shell names it; null forgets it.
void SetWindowToKeepClear(QWidget* window);
QWidget* WindowToKeepClear();

// Moves `dialog` (sized, not yet shown) to where PlacedTopLeft puts it on its
// owner's screen, keeping clear of the main bar.
void PlaceDialog(QWidget& dialog, const QWidget* owner);

// A menu of `size` opened at `click`: its top-left corner at the click, or
// another of its corners where it would not fit, so that it always lies on
// `screen` (the whole screen: a menu may cover the docked bar's strip).
QPoint MenuTopLeft(const QSize& size, const QPoint& click, const QRect& screen);

// A submenu of `size` opened from the item at `itemTop` of the menu standing
// at `menu`: touching the menu on the given side, level with the item, whole
// on `screen`.
QPoint SubmenuTopLeft(const QSize& size, const QRect& menu, int itemTop, bool leftwards,
                      const QRect& screen);

// Whether submenus of a menu standing at `menu` must open leftwards: a submenu
// of `submenuWidth` has no room right of it on `screen`.
bool SubmenusOpenLeft(const QRect& menu, int submenuWidth, const QRect& screen);

// Opens `menu` with its top-left corner at `topLeft` on the whole screen,
// turning it and its submenus right-to-left (arrows pointing left) when the
// submenus must open leftwards.
void PopupMenuAt(QMenu& menu, const QPoint& topLeft);
// The same at a click, waiting for the choice as QMenu::exec does.
QAction* ExecMenuAtClick(QMenu& menu, const QPoint& click);
// The same at a click without waiting.
void PopupMenuAtClick(QMenu& menu, const QPoint& click);

} // namespace murmex
