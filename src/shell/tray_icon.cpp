#include "shell/tray_icon.h"

#include "session/tray_icon_picture.h"
#include "shell/tray_pictures.h"

#include <QSystemTrayIcon>
#include <utility>

namespace murmex {

CTrayIcon::CTrayIcon(QObject* owner, std::function<void(int)> activated)
    : m_owner(owner), m_activated(std::move(activated)) {}

CTrayIcon::~CTrayIcon() {
    Remove();
}

bool CTrayIcon::Available() const {
    return m_available ? m_available() : QSystemTrayIcon::isSystemTrayAvailable();
}

void CTrayIcon::Show() {
    if (!Available())
        return;
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(m_owner);
        QObject::connect(m_icon, &QSystemTrayIcon::activated, m_owner,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             m_activated(static_cast<int>(reason));
                         });
        QObject::connect(m_icon, &QSystemTrayIcon::messageClicked, m_owner, [this] {
            if (m_messageClicked)
                std::exchange(m_messageClicked, nullptr)();
        });
    }
    m_icon->setIcon(TrayPicture(m_picture ? m_picture : kTrayOffline));
    m_icon->show();
}

void CTrayIcon::Remove() {
    if (!m_icon)
        return;
    m_icon->hide();
    delete m_icon;
    m_icon = nullptr;
}

bool CTrayIcon::IsShown() const {
    return m_icon && m_icon->isVisible();
}

bool CTrayIcon::ShowMessage(const QString& title, const QString& text,
                            std::function<void()> clicked) {
    if (!IsShown() || !QSystemTrayIcon::supportsMessages())
        return false;
    m_messageClicked = std::move(clicked);
    m_icon->showMessage(title, text, QSystemTrayIcon::Information);
    return true;
}

void CTrayIcon::SetPicture(int picture) {
    m_picture = picture;
    if (m_icon)
        m_icon->setIcon(TrayPicture(picture));
}

} // namespace murmex
