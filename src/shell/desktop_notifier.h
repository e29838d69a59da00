#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <string_view>

namespace murmex {

// The option that switches the notices off ("0"); without it they are on.
inline constexpr std::string_view kOptionDesktopNotifications = "DesktopNotifications";
bool DesktopNotificationsOn();

// Tells the desktop of an event the user would otherwise miss: through the
// desktop's notification service on the session bus when the program is built
// with Qt's D-Bus module and the service is there, else as the tray icon's
// message, else not at all. A notice carries an action; picking it (or
// clicking the tray message) runs what the caller gave with it.
class CDesktopNotifier : public QObject {
    Q_OBJECT

public:
    // Shows `title` and `text` from the tray icon; runs `clicked` when the
    // message is clicked. False when there is no tray icon to show it from.
    using TrayMessage = std::function<bool(const QString& title, const QString& text,
                                           std::function<void()> clicked)>;

    // The body shows the first words of a message, never more than this.
    static constexpr int kBodyLimit = 80;
    // Notices whose action is remembered; a service that never reports them
    // closed does not make the list grow without end.
    static constexpr std::size_t kRememberedLimit = 64;

    enum class EChannel { kNone, kDesktop, kTray };

    // An empty `busAddress` is the user's session bus; tests give their own.
    explicit CDesktopNotifier(TrayMessage tray, QObject* parent = nullptr,
                              const QString& busAddress = {});
    ~CDesktopNotifier() override;
    CDesktopNotifier(const CDesktopNotifier&) = delete;
    CDesktopNotifier& operator=(const CDesktopNotifier&) = delete;

    // Shows one notice: `summary` as its heading, `text` as plain text.
    // `actionLabel` names the button that runs `action`. Returns the way it
    // went (a service that fails the call afterwards passes it to the tray).
    EChannel Notify(const QString& summary, const QString& text, const QString& actionLabel,
                    std::function<void()> action);

    // Whether the notification service is on the bus (or can be started by it).
    bool DesktopServiceAvailable();
    // The desktop notices whose action may still be picked.
    std::size_t PendingActions() const { return m_actions.size(); }

    // The text's first words in one line: runs of white space become one
    // space; past `limit` characters it is cut after a whole word and ends in "…".
    static QString FirstWords(const QString& text, int limit = kBodyLimit);
    // The service may read a subset of HTML in the body: <, > and & as entities.
    static QString EscapeMarkup(const QString& text);

private slots:
    // The service's signals; QtDBus connects to slots by name.
    void OnActionInvoked(uint id, const QString& actionKey);
    void OnNotificationClosed(uint id, uint reason);

private:
    bool ShowInTray(const QString& summary, const QString& text, std::function<void()> action);
    void Remember(uint id, std::function<void()> action);
    void ConnectBus();

    TrayMessage m_tray;
    QString m_busAddress;
    bool m_busTried = false;
    QString m_connectionName;
    bool m_privateBus = false;
    bool m_listening = false;
    std::map<uint, std::function<void()>> m_actions;
};

} // namespace murmex
