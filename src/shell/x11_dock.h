#pragma once

#include <QRect>

class QWidget;

// Docking the main bar on an X11 desktop: the window becomes a dock that the
// window manager keeps above the others, and its width at the screen's right
// edge is reserved, so that maximised windows end where it begins. Elsewhere
// (Wayland, offscreen) these do nothing and say so; the caller keeps the same
// placement with a plain window kept on top.
namespace murmex {

// True when the windows are shown on an X11 display.
bool IsX11Display();

// `area` is where the docked window stands (screen coordinates, device
// independent). Call it once the window is shown: the toolkit writes the
// window type itself when it maps the window. False when not on X11.
bool X11Dock(QWidget* window, const QRect& area);

// Takes the reservation back and makes the window a normal one again.
bool X11Undock(QWidget* window);

} // namespace murmex
