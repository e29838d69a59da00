#pragma once

#include <functional>

class QObject;
class QString;
class QSystemTrayIcon;

namespace murmex {

// The program's icon in the desktop's tray, shown only where the desktop has
// a tray. It keeps the picture last asked for also while it is not shown, so
// that it comes back with the right one.
class CTrayIcon {
public:
    // The icon's parent is `owner`; a click or double click goes to `activated`
    // with Qt's activation reason.
    CTrayIcon(QObject* owner, std::function<void(int reason)> activated);
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Whether the desktop shows tray icons; by default as Qt finds it.
    void SetAvailableCheck(std::function<bool()> check) { m_available = std::move(check); }
    bool Available() const;
    void Show();
    void Remove();
    bool IsShown() const;
    // One of the tray pictures of tray_icon_picture.h.
    void SetPicture(int picture);
    int Picture() const { return m_picture; }
    // A message from the icon; a click on it runs `clicked`. False when the
    // icon is not shown (or the desktop shows no messages from it).
    bool ShowMessage(const QString& title, const QString& text, std::function<void()> clicked);

private:
    QObject* m_owner;
    std::function<void(int)> m_activated;
    std::function<bool()> m_available;
    QSystemTrayIcon* m_icon = nullptr;
    int m_picture = 0;
    // The last message's; an older one's click would come with no message to go with.
    std::function<void()> m_messageClicked;
};

} // namespace murmex
