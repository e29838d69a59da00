// The desktop's notices: what reaches the notification service on the bus,
// when nothing is sent, the tray as the way left when no service listens, and
// the notice's action opening the read window.
#include "bar_world.h"
#include "friends/read_message_dlg.h"
#include "shell/desktop_notifier.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariantMap>
#include <gtest/gtest.h>

#ifdef MURMEX_HAVE_DBUS
#include <QDBusConnection>
#endif

namespace murmex::test {

// Stands in for the desktop's notification service: records every Notify and
// emits the service's signals when told.
class CFakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct SCall {
        QString app, icon, summary, body;
        QStringList actions;
        QVariantMap hints;
    };
    std::vector<SCall> calls;
    uint nextId = 41;

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout) {
        Q_UNUSED(replacesId);
        Q_UNUSED(expireTimeout);
        calls.push_back({appName, appIcon, summary, body, actions, hints});
        return nextId++;
    }

signals:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);
};

namespace {

std::string MessageLine(int sender, const std::string& text, int when) {
    return "msgtext=\"" + text + "\" wasread=\"0\" sender=\"" + std::to_string(sender) +
           "\" whensent=\"" + std::to_string(when) + "\" type=\"0\" ";
}

std::vector<std::string> WithInbox(std::vector<std::string> lines) {
    std::vector<std::string> config = kTwoUsers;
    config.push_back("");
    config.push_back("[QID5-Messages]");
    config.insert(config.end(), lines.begin(), lines.end());
    return config;
}

struct STrayMessage {
    QString title, text;
};

class DesktopNotices : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef MURMEX_HAVE_DBUS
        GTEST_SKIP() << "built without Qt's D-Bus module";
#else
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        ASSERT_TRUE(m_dir.isValid());
        // A bus of our own: no service files, so nothing is started on demand.
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        const QByteArray dir = m_dir.path().toUtf8();
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                     "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">"
                     "<busconfig><type>session</type><listen>unix:tmpdir=" +
                     dir + "</listen><auth>EXTERNAL</auth><servicedir>" + dir +
                     "</servicedir><policy context=\"default\"><allow send_destination=\"*\" "
                     "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                     "</policy></busconfig>");
        config.close();
        m_daemon.start(daemon, {QStringLiteral("--config-file=") + config.fileName(),
                                QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(m_daemon.waitForStarted(10000));
        ASSERT_TRUE(WaitFor([this] { return m_daemon.canReadLine(); }, 10000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        ASSERT_FALSE(m_address.isEmpty());
#endif
    }
    void TearDown() override {
#ifdef MURMEX_HAVE_DBUS
        if (m_serviceUp)
            QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
#endif
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.kill();
            m_daemon.waitForFinished(10000);
        }
    }

    // The fake service on the private bus, under the service's well-known name.
    void StartService() {
#ifdef MURMEX_HAVE_DBUS
        QDBusConnection bus =
            QDBusConnection::connectToBus(m_address, QStringLiteral("fake-notifications"));
        m_serviceUp = true;
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_fake,
                                       QDBusConnection::ExportAllSlots |
                                           QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
#endif
    }

    std::unique_ptr<CDesktopNotifier> MakeNotifier() {
        return std::make_unique<CDesktopNotifier>(
            [this](const QString& title, const QString& text, std::function<void()> clicked) {
                tray.push_back({title, text});
                trayClick = std::move(clicked);
                return trayShown;
            },
            nullptr, m_address);
    }

    std::vector<STrayMessage> tray;
    std::function<void()> trayClick;
    bool trayShown = true;
    CFakeNotifications m_fake;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    bool m_serviceUp = false;
};

CReadMessageDlg* VisibleReadWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* read = qobject_cast<CReadMessageDlg*>(window); read && read->isVisible())
            return read;
    return nullptr;
}

#ifdef MURMEX_HAVE_DBUS
TEST_F(DesktopNotices, AMessageWhileTheBarIsHiddenReachesTheServiceAndItsActionOpensIt) {
    StartService();
    const std::string text = "Zobacz <b>to</b> & tamto: bardzo dluga wiadomosc, ktora nie "
                             "zmiesci sie w dymku na pulpicie w calosci, wiec jej koniec odpada";
    CBarWorld world(WithInbox({MessageLine(22, "stara", 1), MessageLine(21, text, 2)}), 5);
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    router.SetDesktopNotifier(MakeNotifier());
    ASSERT_TRUE(bar.IsMainBarHidden());

    router.NotifyNewMessage(1);
    ASSERT_TRUE(WaitFor([&] { return m_fake.calls.size() == 1; }));
    const CFakeNotifications::SCall& call = m_fake.calls[0];
    EXPECT_EQ(call.app, "Murmex");
    EXPECT_EQ(call.icon, "io.github.murmex.Murmex") << "the desktop entry's icon";
    EXPECT_EQ(call.hints.value(QStringLiteral("desktop-entry")).toString(),
              "io.github.murmex.Murmex");
    EXPECT_EQ(call.summary, "ala") << "the sender's display name";
    // The first words, cut after a whole word, with the markup characters as entities.
    EXPECT_EQ(call.body.toStdString(), "Zobacz &lt;b&gt;to&lt;/b&gt; &amp; tamto: bardzo "
                                       "dluga wiadomosc, ktora nie zmiesci sie w dymku…");
    EXPECT_EQ(call.actions, (QStringList{"default", "Czytaj"}));
    EXPECT_TRUE(tray.empty());

    // Another program's notice picked does nothing here; ours opens the message.
    emit m_fake.ActionInvoked(7, QStringLiteral("default"));
    emit m_fake.ActionInvoked(41, QStringLiteral("default"));
    ASSERT_TRUE(WaitFor([] { return VisibleReadWindow() != nullptr; }));
    EXPECT_EQ(VisibleReadWindow()->TextField()->toPlainText().toStdString(), text);
    EXPECT_EQ(router.DesktopNotifier().PendingActions(), 0u);
    router.CloseAll();
}

TEST_F(DesktopNotices, NothingIsSentWhenSwitchedOffOrWhileTheBarIsTheActiveWindow) {
    StartService();
    CBarWorld world(WithInbox({MessageLine(21, "hej", 1)}), 5);
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    router.SetDesktopNotifier(MakeNotifier());

    SetOption(kOptionDesktopNotifications, "0");
    router.NotifyNewMessage(0);
    router.NotifyFriendOnline(22);
    bar.ShowMainBar(true);
    QApplication::setActiveWindow(&bar);
    ASSERT_TRUE(WaitFor([&] { return bar.isActiveWindow(); }));
    SetOption(kOptionDesktopNotifications, "1");
    router.NotifyNewMessage(0);
    router.NotifyFriendOnline(22);
    EXPECT_TRUE(tray.empty());

    // Behind another window (or with any value but "0") the bar's events are told again.
    bar.ShowMainBar(false);
    router.NotifyFriendOnline(23);
    // Calls on one connection arrive in order: this one being first proves none went before.
    ASSERT_TRUE(WaitFor([&] { return !m_fake.calls.empty(); }));
    EXPECT_EQ(m_fake.calls.size(), 1u);
    EXPECT_EQ(m_fake.calls[0].summary, "cezary");
    EXPECT_EQ(m_fake.calls[0].body, QString::fromUtf8("Pojawił(a) się na czacie."));

    // Closed by the user: its action is forgotten.
    EXPECT_TRUE(WaitFor([&] { return router.DesktopNotifier().PendingActions() == 1; }));
    emit m_fake.NotificationClosed(41, 2);
    EXPECT_TRUE(WaitFor([&] { return router.DesktopNotifier().PendingActions() == 0; }));
}
#endif

TEST_F(DesktopNotices, WithoutTheServiceTheTrayTellsInPlainTextAndWithoutATrayNothingDoes) {
    std::unique_ptr<CDesktopNotifier> notifier = MakeNotifier();
    EXPECT_FALSE(notifier->DesktopServiceAvailable());
    int picked = 0;
    EXPECT_EQ(notifier->Notify("ala", "a <b> & c", "Czytaj", [&] { ++picked; }),
              CDesktopNotifier::EChannel::kTray);
    ASSERT_EQ(tray.size(), 1u);
    EXPECT_EQ(tray[0].title, "ala");
    EXPECT_EQ(tray[0].text, "a <b> & c") << "the tray shows the text as it is";
    ASSERT_TRUE(trayClick);
    trayClick();
    EXPECT_EQ(picked, 1);

    trayShown = false;
    EXPECT_EQ(notifier->Notify("ala", "x", "Czytaj", [] {}), CDesktopNotifier::EChannel::kNone);
}

TEST(DesktopNoticeText, FirstWordsKeepWholeWordsOnOneLineWithinTheLimit) {
    EXPECT_EQ(CDesktopNotifier::FirstWords("  krótko\r\n i\tjasno "), "krótko i jasno");
    EXPECT_EQ(CDesktopNotifier::FirstWords("jeden dwatrzy cztery", 12).toStdString(), "jeden…");
    EXPECT_EQ(CDesktopNotifier::FirstWords("jeden dwa", 9), "jeden dwa") << "fits exactly";
    // One word longer than the limit is cut inside, never between a surrogate pair.
    EXPECT_EQ(CDesktopNotifier::FirstWords("abcdefghij", 5), QString::fromUtf8("abcd…"));
    const QString emoji = QString::fromUtf8("abc\U0001F600xyz");
    const QString cut = CDesktopNotifier::FirstWords(emoji, 5);
    EXPECT_EQ(cut, QString::fromUtf8("abc…"));
    EXPECT_LE(CDesktopNotifier::FirstWords(QString(500, QLatin1Char('w')) + " x").size(),
              CDesktopNotifier::kBodyLimit);
    EXPECT_EQ(CDesktopNotifier::EscapeMarkup("<a href='x'>&amp;</a>"),
              "&lt;a href='x'&gt;&amp;amp;&lt;/a&gt;");
}

} // namespace
} // namespace murmex::test

#include "desktop_notices_test.moc"
