#include "shell/x11_dock.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef MURMEX_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace murmex {

#ifdef MURMEX_HAVE_XCB
namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

void SetWindowType(xcb_connection_t* connection, xcb_window_t window, const char* type) {
    const xcb_atom_t property = Atom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t value = Atom(connection, type);
    if (property == XCB_ATOM_NONE || value == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32, 1,
                        &value);
}

int Physical(int value, qreal ratio) {
    return static_cast<int>(std::lround(value * ratio));
}

} // namespace

bool IsX11Display() {
    return Connection() != nullptr;
}

bool X11Dock(QWidget* window, const QRect& area) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window)
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    QScreen* screen = window->screen();
    const qreal ratio = window->devicePixelRatioF();
    // Struts count from the edges of the whole X screen, not of one monitor.
    const QRect root = screen ? screen->virtualGeometry() : area;
    const int right = Physical(root.x() + root.width() - area.x(), ratio);
    const int top = Physical(area.y(), ratio);
    const int bottom = Physical(area.y() + area.height(), ratio) - 1;

    SetWindowType(connection, id, "_NET_WM_WINDOW_TYPE_DOCK");
    // left, right, top, bottom, then the start and end of each: only the right
    // edge is taken, over the bar's height.
    const auto r = static_cast<std::uint32_t>(right);
    const auto t = static_cast<std::uint32_t>(top);
    const auto b = static_cast<std::uint32_t>(bottom);
    const std::array<std::uint32_t, 12> partial = {0, r, 0, 0, 0, 0, t, b, 0, 0, 0, 0};
    const std::array<std::uint32_t, 4> strut = {0, r, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                        Atom(connection, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32,
                        static_cast<std::uint32_t>(partial.size()), partial.data());
    // Older window managers read only this one.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, Atom(connection, "_NET_WM_STRUT"),
                        XCB_ATOM_CARDINAL, 32, static_cast<std::uint32_t>(strut.size()),
                        strut.data());
    xcb_flush(connection);
    return true;
}

bool X11Undock(QWidget* window) {
    xcb_connection_t* connection = Connection();
    if (!connection || !window || !window->internalWinId())
        return false;
    const auto id = static_cast<xcb_window_t>(window->internalWinId());
    xcb_delete_property(connection, id, Atom(connection, "_NET_WM_STRUT_PARTIAL"));
    xcb_delete_property(connection, id, Atom(connection, "_NET_WM_STRUT"));
    SetWindowType(connection, id, "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_flush(connection);
    return true;
}

#else

bool IsX11Display() {
    return false;
}

bool X11Dock(QWidget*, const QRect&) {
    return false;
}

bool X11Undock(QWidget*) {
    return false;
}

#endif

} // namespace murmex
