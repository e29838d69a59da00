#include "shell/desktop_notifier.h"

#include "storage/options.h"

#include <QStringList>

#ifdef MURMEX_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#endif

namespace murmex {
namespace {

#ifdef MURMEX_HAVE_DBUS
constexpr auto kService = "org.freedesktop.Notifications";
constexpr auto kPath = "/org/freedesktop/Notifications";
constexpr auto kInterface = "org.freedesktop.Notifications";
// The name and icon the desktop entry gives the program, so that the desktop
// groups the notices under it and shows its picture.
constexpr auto kAppName = "Murmex";
constexpr auto kDesktopEntry = "io.github.murmex.Murmex";
// The action the service runs when the notice itself is clicked.
constexpr auto kDefaultAction = "default";
#endif

} // namespace

bool DesktopNotificationsOn() {
    return !(HasOption(kOptionDesktopNotifications) &&
             GetOption(kOptionDesktopNotifications) == "0");
}

CDesktopNotifier::CDesktopNotifier(TrayMessage tray, QObject* parent, const QString& busAddress)
    : QObject(parent), m_tray(std::move(tray)), m_busAddress(busAddress) {}

void CDesktopNotifier::ConnectBus() {
    // On first use, not at start-up: most runs show no notice before the bar is up.
    if (m_busTried)
        return;
    m_busTried = true;
#ifdef MURMEX_HAVE_DBUS
    if (m_busAddress.isEmpty()) {
        m_connectionName = QDBusConnection::sessionBus().name();
    } else {
        m_connectionName =
            QStringLiteral("murmex-notifier-%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
        QDBusConnection::connectToBus(m_busAddress, m_connectionName);
        m_privateBus = true;
    }
    QDBusConnection bus(m_connectionName);
    if (bus.isConnected()) {
        // QtDBus delivers a bus signal to a slot named in its old string form only.
        m_listening = bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"),
                                  this, SLOT(OnActionInvoked(uint, QString)));
        bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                    SLOT(OnNotificationClosed(uint, uint)));
    }
#endif
}

CDesktopNotifier::~CDesktopNotifier() {
#ifdef MURMEX_HAVE_DBUS
    if (m_privateBus)
        QDBusConnection::disconnectFromBus(m_connectionName);
#endif
}

bool CDesktopNotifier::DesktopServiceAvailable() {
    ConnectBus();
#ifdef MURMEX_HAVE_DBUS
    QDBusConnection bus(m_connectionName);
    if (!bus.isConnected() || !m_listening)
        return false;
    QDBusConnectionInterface* daemon = bus.interface();
    if (!daemon)
        return false;
    if (daemon->isServiceRegistered(kService).value())
        return true;
    // Most desktops start their service on the first call.
    return daemon->activatableServiceNames().value().contains(kService);
#else
    return false;
#endif
}

CDesktopNotifier::EChannel CDesktopNotifier::Notify(const QString& summary, const QString& text,
                                                    const QString& actionLabel,
                                                    std::function<void()> action) {
#ifdef MURMEX_HAVE_DBUS
    if (DesktopServiceAvailable()) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
        QStringList actions;
        if (action)
            actions << QString::fromLatin1(kDefaultAction) << actionLabel;
        QVariantMap hints;
        hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
        // The summary is plain text for every service; only the body may be read as markup.
        call << QString::fromLatin1(kAppName) << uint(0) << QString::fromLatin1(kDesktopEntry)
             << summary << EscapeMarkup(text) << actions << hints << int(-1);
        auto* watcher =
            new QDBusPendingCallWatcher(QDBusConnection(m_connectionName).asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, summary, text, action](QDBusPendingCallWatcher* done) {
                    done->deleteLater();
                    const QDBusPendingReply<uint> reply = *done;
                    if (reply.isError()) {
                        // The service went away or refused: the tray still tells.
                        ShowInTray(summary, text, action);
                        return;
                    }
                    if (action)
                        Remember(reply.value(), action);
                });
        return EChannel::kDesktop;
    }
#else
    Q_UNUSED(actionLabel);
#endif
    return ShowInTray(summary, text, std::move(action)) ? EChannel::kTray : EChannel::kNone;
}

bool CDesktopNotifier::ShowInTray(const QString& summary, const QString& text,
                                  std::function<void()> action) {
    return m_tray && m_tray(summary, text, std::move(action));
}

void CDesktopNotifier::Remember(uint id, std::function<void()> action) {
    m_actions[id] = std::move(action);
    // Ids grow; the oldest notice is the one long forgotten by the user.
    if (m_actions.size() > kRememberedLimit)
        m_actions.erase(m_actions.begin());
}

void CDesktopNotifier::OnActionInvoked(uint id, const QString& actionKey) {
    Q_UNUSED(actionKey);
    // The signal reaches every program on the bus: other programs' ids are not ours.
    auto found = m_actions.find(id);
    if (found == m_actions.end())
        return;
    std::function<void()> action = std::move(found->second);
    m_actions.erase(found);
    action();
}

void CDesktopNotifier::OnNotificationClosed(uint id, uint reason) {
    Q_UNUSED(reason);
    m_actions.erase(id);
}

QString CDesktopNotifier::FirstWords(const QString& text, int limit) {
    const QString line = text.simplified();
    if (line.size() <= limit || limit < 2)
        return line.left(limit);
    // Room for the ellipsis; a word cut in two is left out whole.
    qsizetype cut = limit - 1;
    const qsizetype space = line.lastIndexOf(QLatin1Char(' '), cut);
    if (space > 0)
        cut = space;
    else if (line.at(cut).isLowSurrogate())
        --cut; // never half a character
    return line.left(cut) + QChar(0x2026);
}

QString CDesktopNotifier::EscapeMarkup(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('&'))
            escaped += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            escaped += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QStringLiteral("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace murmex
