// The main bar as a window among others: docked or floating, shown or
// hidden, on top or not, busy, placing other windows, and its tray icon.
#include "model/data_manager.h"
#include "session/app_context.h"
#include "session/tray_icon_picture.h"
#include "shell/main_bar.h"
#include "shell/main_bar_geometry.h"
#include "shell/tray_pictures.h"
#include "shell/x11_dock.h"
#include "storage/options.h"
#include "ui/animation.h"

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

// --- busy state and dialog placement

void CMainBar::BeginBusy() {
    if (m_busy++ > 0)
        return;
    m_disabledByBusy.clear();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // Windows of their own (pop-ups, the menu) are not part of the bar.
        if (child->isWindow() || child == m_logo || !child->isEnabled())
            continue;
        child->setEnabled(false);
        m_disabledByBusy.emplace_back(child);
    }
    m_logo->Play();
}

void CMainBar::EndBusy() {
    if (m_busy == 0 || --m_busy > 0)
        return;
    for (const QPointer<QWidget>& child : m_disabledByBusy)
        if (child)
            child->setEnabled(true);
    m_disabledByBusy.clear();
    m_logo->Stop();
}

void CMainBar::PlaceBesideMainBar(QWidget* dialog) {
    if (!dialog)
        return;
    QScreen* screen = this->screen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect();
    if (const auto x = BesideBarX(frameGeometry(), desktop, dialog->frameGeometry().width()))
        dialog->move(*x, dialog->y());
    if (m_onTop)
        dialog->raise();
}

void CMainBar::AttachToMainBar(QWidget* dialog) {
    if (!dialog)
        return;
    QScreen* screen = this->screen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect();
    const QRect bar = frameGeometry();
    const auto x = AttachedToBarX(bar, desktop, dialog->frameGeometry().width());
    dialog->move(x ? *x : dialog->x(), bar.y());
    if (m_onTop)
        dialog->raise();
}

// --- the tray icon

void CMainBar::SetTrayAvailableCheck(std::function<bool()> check) {
    m_trayAvailable = std::move(check);
}

bool CMainBar::TrayAvailable() const {
    return m_trayAvailable ? m_trayAvailable() : QSystemTrayIcon::isSystemTrayAvailable();
}

void CMainBar::ShowTrayIcon() {
    if (!TrayAvailable())
        return;
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    OnTrayActivated(static_cast<int>(reason));
                });
    }
    m_tray->setIcon(TrayPicture(m_trayPicture ? m_trayPicture : kTrayOffline));
    m_tray->show();
}

void CMainBar::RemoveTrayIcon() {
    if (!m_tray)
        return;
    m_tray->hide();
    delete m_tray;
    m_tray = nullptr;
}

bool CMainBar::HasTrayIcon() const {
    return m_tray && m_tray->isVisible();
}

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

void CMainBar::SetTrayIcon(int picture) {
    m_trayPicture = picture;
    if (m_tray)
        m_tray->setIcon(TrayPicture(picture));
}

} // namespace murmex
