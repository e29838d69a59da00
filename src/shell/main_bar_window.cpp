// The main bar as a window among others: docked or floating, shown or
// hidden, on top or not, busy, placing other windows, and its tray icon.
#include "model/data_manager.h"
#include "session/app_context.h"
#include "shell/main_bar.h"
#include "shell/main_bar_geometry.h"
#include "shell/x11_dock.h"
#include "storage/options.h"
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWindow>

namespace murmex {

// --- docking and showing

void CMainBar::SetTopmost(bool topmost) {
    Qt::WindowFlags flags = windowFlags();
    if (flags.testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    if (QWindow* handle = windowHandle()) {
        // Changed on the native window directly: setWindowFlags would hide
        // the bar and build its window anew.
        overrideWindowFlags(flags);
        handle->setFlags(flags);
        return;
    }
    setWindowFlags(flags);
}

void CMainBar::ApplyDocking() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = DockedArea(screen->geometry(), screen->availableGeometry(), width());
    setGeometry(area);
    SetTopmost(true);
    LayoutChildren();
    if (!isVisible())
        return;
    if (IsX11Display() && !m_dockRegistered) {
        // The window manager reads a window's type when it maps it: map the
        // bar again so that it takes it as a dock.
        hide();
        show();
    }
    X11Dock(this, area);
    m_dockRegistered = true;
}

void CMainBar::ReleaseDocking() {
    if (!m_dockRegistered)
        return;
    m_dockRegistered = false;
    X11Undock(this);
}

void CMainBar::SetDocking(bool docked, bool onTop) {
    const bool wasDocked = m_docked;
    m_docked = docked;
    m_onTop = onTop;
    if (isVisible()) {
        if (docked) {
            ApplyDocking();
        } else {
            if (wasDocked) {
                ReleaseDocking();
                if (IsX11Display()) {
                    hide();
                    show();
                }
            }
            PlaceFromOptions();
            SetTopmost(onTop);
            LayoutChildren();
        }
    } else {
        LayoutChildren();
    }
    SetOptionInt("appbar", docked ? 1 : 0);
    SetOptionInt("ontop", onTop ? 1 : 0);
    SaveOptions();
}

void CMainBar::ShowMainBar(bool show) {
    if (!show) {
        ReleaseDocking();
        hide();
        return;
    }
    const bool hidden = !isVisible() || isMinimized();
    if (!hidden && (m_onTop || m_docked))
        return;
    if (hidden) {
        if (m_docked)
            PlaceFromOptions();
        if (isMinimized())
            showNormal();
        else
            this->show();
        if (m_docked)
            ApplyDocking();
    }
    if (m_onTop || m_docked)
        SetTopmost(true);
    raise();
    activateWindow();
}

bool CMainBar::IsMainBarHidden() const {
    return !isVisible() || isMinimized();
}

void CMainBar::OnHideButton() {
    if (HasTrayIcon()) {
        ShowMainBar(false);
        return;
    }
    // No tray to come back from: a floating bar goes to the taskbar instead;
    // a docked one, which has no taskbar entry, stays.
    if (!m_docked)
        showMinimized();
}

// --- dialog placement

void CMainBar::PlaceDialog(QWidget* dialog, bool attached) {
    if (!dialog)
        return;
    // Not shown yet: its width comes from its layout, and its height is
    // needed to stand it level with the bar's middle.
    if (!dialog->isVisible() && !dialog->testAttribute(Qt::WA_Resized))
        dialog->adjustSize();
    QScreen* screen = this->screen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect();
    const QRect bar = frameGeometry();
    const QSize size = dialog->frameGeometry().size();
    const auto x = attached ? AttachedToBarX(bar, desktop, size.width())
                            : BesideBarX(bar, desktop, size.width());
    // No room beside the bar: the window opens where every other one does.
    if (!x)
        return;
    // An attached dialog stands level with the bar. One beside it keeps the
    // height it stands at; one never placed has none and faces the bar's middle.
    const bool placed = dialog->isVisible() || dialog->testAttribute(Qt::WA_Moved);
    int y = bar.y();
    if (!attached)
        y = placed ? dialog->y() : bar.center().y() - size.height() / 2;
    dialog->move(KeptInside(QRect(QPoint(*x, y), size), desktop).topLeft());
    if (m_onTop)
        dialog->raise();
}

// --- the tray icon

void CMainBar::OnTrayActivated(int reason) {
    if (reason == QSystemTrayIcon::DoubleClick) {
        if (m_ctx.data.HasUnreadMessages())
            emit ReadWindowRequested(m_ctx.data.FirstUnread());
        ShowMainBar(true);
        return;
    }
    // Trays that speak the desktop's newer protocol report a click, never a
    // double click: a click must at least bring the bar back there.
    if (reason == QSystemTrayIcon::Trigger && IsMainBarHidden())
        ShowMainBar(true);
}

} // namespace murmex
