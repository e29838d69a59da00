// The heartbeat following the connection: calls, automatic login, local logout,
// the status line and the tray picture.
#include "session/heartbeat_fixture.h"
#include "session/shell_texts.h"
#include "session/tray_icon_picture.h"

namespace murmex::test {
namespace {

using Connection = HeartbeatTest;

TEST_F(Connection, ComingUpStartsACallAndALoginAndGoingDownEndsBoth) {
    Tick();
    EXPECT_EQ(LastStatus(), "Offline");
    EXPECT_EQ(LastTray(), kTrayOffline);
    EXPECT_EQ(m_counter.starts, 0);
    EXPECT_EQ(m_data.startLogins, 0);

    m_platform.online = true;
    Tick();
    EXPECT_EQ(m_counter.starts, 1);
    EXPECT_EQ(m_data.startLogins, 1);
    EXPECT_TRUE(m_heartbeat.IsLoginInProgress());
    EXPECT_EQ(LastStatus(), "Online");
    EXPECT_EQ(LastTray(), kTrayLoginEven);
    Tick(1);
    EXPECT_EQ(LastTray(), kTrayLoginOdd);
    EXPECT_EQ(m_data.startLogins, 1) << "one login at a time";

    m_engine.SetLoggedIn(true);
    m_heartbeat.LoginFinished(true);
    Tick();
    EXPECT_FALSE(m_heartbeat.IsLoginInProgress());
    EXPECT_EQ(m_heartbeat.IconState() & kIconLoggedIn, kIconLoggedIn);
    EXPECT_EQ(LastStatus(), "Online i zalogowany");
    EXPECT_EQ(LastTray(), kTrayOnline);

    m_platform.online = false;
    Tick();
    EXPECT_EQ(m_data.logouts, 1);
    EXPECT_EQ(m_counter.ends, 1);
    EXPECT_EQ(LastStatus(), "Offline");
    EXPECT_EQ(m_heartbeat.IconState() & kIconLoggedIn, 0);
    EXPECT_EQ(LastTray(), kTrayOffline);
    Ticks(3);
    EXPECT_EQ(m_data.logouts, 1) << "handled once per change";
    EXPECT_EQ(m_data.startLogins, 1) << "no login while the connection is down";
    EXPECT_TRUE(m_box.Shown().empty());
}

TEST_F(Connection, ALanIsNeverTimedUnlessModemCountingIsForced) {
    SetOption("InternetConnection", "LAN");
    Ticks(3);
    EXPECT_EQ(m_counter.starts, 0);
    EXPECT_EQ(m_data.startLogins, 1) << "the login does not care what the line costs";

    ClearOptions();
    SetOption("InternetConnection", "LAN");
    SetOption("ForceModem", "1");
    CFakeHeartbeatView view;
    CFakeCallCounter counter;
    CHeartbeat forced(m_clock, m_tasks, m_connection, m_engine, m_box);
    forced.Attach(m_data, counter, view);
    forced.Tick();
    EXPECT_EQ(counter.starts, 1);
}

TEST_F(Connection, WhileUpTheCounterTicksAndItsTextShowsOncePerNewSecond) {
    m_platform.online = true;
    Tick();
    EXPECT_TRUE(m_view.costLines.empty());
    m_counter.text = "00:00:01";
    Tick(1);
    m_counter.newSecond = false;
    Tick();
    m_counter.newSecond = true;
    m_counter.text = "0.33 zł";
    Tick(1);
    EXPECT_EQ(m_view.costLines, (std::vector<std::string>{"00:00:01", "0.33 zł"}));
    EXPECT_EQ(m_counter.timerEvents, 3);

    m_counter.running = false; // a LAN: no call to tick
    Tick(1);
    EXPECT_EQ(m_counter.timerEvents, 3);
}

TEST_F(Connection, NoLoginWithoutALocalUserAndAMessageWhenOneCannotStart) {
    m_data.currentUser = 0;
    m_platform.online = true;
    Tick();
    EXPECT_EQ(m_data.startLogins, 0);
    EXPECT_TRUE(m_box.Shown().empty());

    m_platform.online = false;
    Tick();
    m_data.currentUser = 7;
    m_data.startLoginResult = 0;
    m_platform.online = true;
    Tick();
    EXPECT_EQ(m_data.startLogins, 1);
    EXPECT_FALSE(m_heartbeat.IsLoginInProgress());
    EXPECT_EQ(m_box.Shown(), std::vector<std::string>{std::string(kTextLoginFailed)});
}

TEST_F(Connection, AFailedFirstLoginIsReportedAndNotRetried) {
    m_platform.online = true;
    Tick();
    m_heartbeat.LoginFinished(false);
    EXPECT_EQ(m_box.Shown(), std::vector<std::string>{std::string(kTextLoginFailed)});
    Tick(30);
    EXPECT_EQ(m_data.startLogins, 1);
    EXPECT_EQ(LastTray(), kTrayOffline);
    EXPECT_EQ(LastStatus(), "Online");
}

TEST_F(Connection, AfterATransportFailureALoginThatOnceWorkedIsRetriedQuietly) {
    ComeOnlineAndLogIn();
    ASSERT_EQ(m_data.startLogins, 1);

    m_engine.SetLoggedIn(false); // the connection to the server broke
    Tick();
    EXPECT_EQ(m_data.startLogins, 2);
    EXPECT_TRUE(m_heartbeat.IsLoginInProgress());
    EXPECT_EQ(m_heartbeat.IconState() & kIconLoggedIn, 0);
    EXPECT_EQ(LastStatus(), "Online");

    // The server is still away: no message, and no new attempt for a while.
    m_heartbeat.LoginFinished(false);
    EXPECT_TRUE(m_box.Shown().empty());
    Tick(CHeartbeat::kReLoginPauseSeconds - 1);
    EXPECT_EQ(m_data.startLogins, 2);
    Tick(1);
    EXPECT_EQ(m_data.startLogins, 3);
    m_engine.SetLoggedIn(true);
    m_heartbeat.LoginFinished(true);
    Tick();
    EXPECT_EQ(LastStatus(), "Online i zalogowany");
}

TEST_F(Connection, TheConnectionComingBackLogsInAgain) {
    ComeOnlineAndLogIn();
    m_platform.online = false;
    Tick();
    Tick(60);
    EXPECT_EQ(m_data.startLogins, 1);
    m_platform.online = true;
    Tick();
    EXPECT_EQ(m_data.startLogins, 2) << "one start, from the connection coming up";
    EXPECT_EQ(m_counter.starts, 2);
}

TEST_F(Connection, AFlickerDuringALoginDoesNotStartASecondOne) {
    m_platform.online = true;
    Tick();
    m_platform.online = false;
    Tick();
    m_platform.online = true;
    Tick(); // the first login thread has not reported yet
    EXPECT_EQ(m_data.startLogins, 1);
    EXPECT_EQ(m_counter.starts, 2);
}

TEST_F(Connection, AnExplicitLogoutStopsTheAutomaticLoginEvenMidCommand) {
    ComeOnlineAndLogIn();
    // The logout command turns the UI loop, and the timer keeps firing in it.
    m_data.duringLogout = [this] {
        m_engine.SetLoggedIn(false);
        Tick();
    };
    m_heartbeat.LogInOrOut();
    EXPECT_EQ(m_data.logouts, 1);
    EXPECT_FALSE(m_heartbeat.AutomaticReLogin());
    Tick(60);
    EXPECT_EQ(m_data.startLogins, 1);

    m_heartbeat.LogInOrOut(); // "Zaloguj się"
    EXPECT_EQ(m_data.startLogins, 2);
    EXPECT_TRUE(m_heartbeat.IsLoginInProgress());
}

TEST_F(Connection, TheMenusLoginThatCannotStartShowsTheLoginMessage) {
    m_data.startLoginResult = 0;
    m_heartbeat.LogInOrOut();
    EXPECT_FALSE(m_heartbeat.IsLoginInProgress());
    EXPECT_EQ(m_box.Shown(), std::vector<std::string>{std::string(kTextLoginFailed)});
}

TEST_F(Connection, LoginFinishedFromAnotherThreadIsSeenByTheNextTick) {
    m_platform.online = true;
    Tick();
    m_engine.SetLoggedIn(true);
    std::jthread login([this] { m_heartbeat.LoginFinished(true); });
    login.join();
    Tick();
    EXPECT_EQ(LastTray(), kTrayOnline);
}

TEST_F(Connection, NothingHappensBeforeTheHeartbeatIsAttached) {
    CFakeMessageBox box;
    CHeartbeat early(m_clock, m_tasks, m_connection, m_engine, box);
    m_platform.online = true;
    early.Tick();
    early.LogInOrOut();
    early.LocalUserSwitching();
    EXPECT_EQ(m_data.startLogins, 0);
}

TEST(TrayIconPicture, FollowsTheFirstMatchingRowAndTheSecondsParity) {
    struct SRow {
        int state;
        int even, odd;
    };
    const int in = kIconLoginInProgress, on = kIconLoggedIn, unread = kIconUnreadMessages,
              fr = kIconFriendOnline;
    const SRow rows[] = {
        {0, kTrayOffline, kTrayOffline},
        {in, kTrayLoginEven, kTrayLoginOdd},
        {in | on | unread | fr, kTrayLoginEven, kTrayLoginOdd},
        {on, kTrayOnline, kTrayOnline},
        {on | fr, kTrayOnline, kTrayFriendOnline},
        {on | unread, kTrayUnread, kTrayOnline},
        {on | unread | fr, kTrayUnread, kTrayFriendOnline},
        {unread, kTrayOfflineUnread, kTrayOffline},
        {unread | fr, kTrayOfflineUnread, kTrayOffline},
        {fr, kTrayOffline, kTrayOffline},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TrayIconPicture(row.state, 1'000'000), row.even) << row.state;
        EXPECT_EQ(TrayIconPicture(row.state, 1'000'001), row.odd) << row.state;
        EXPECT_EQ(TrayIconPicture(row.state, -3), row.odd) << row.state;
    }
}

} // namespace
} // namespace murmex::test
