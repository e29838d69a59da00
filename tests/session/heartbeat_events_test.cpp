// The heartbeat's queues, friend-list dialogs and periodic tasks.
#include "session/heartbeat_fixture.h"
#include "session/shell_texts.h"
#include "session/tray_icon_picture.h"

#include <thread>

namespace murmex::test {
namespace {

using Events = HeartbeatTest;

TEST_F(Events, FriendsOnlineAtStartRaiseNothingLaterOnesOnePopupPerTick) {
    SetOption("OpenWindowOnFriend", "1");
    // The first synchronisation: friends already online, then its end marker.
    m_heartbeat.PushFriendOnline(5);
    m_heartbeat.PushFriendOnline(6);
    m_heartbeat.PushFriendOnline(0);
    Ticks(3);
    EXPECT_TRUE(m_view.popups.empty());
    EXPECT_EQ(m_heartbeat.IconState() & kIconFriendOnline, 0);

    // A later one finds three who came online.
    for (int qid : {11, 12, 13, 0})
        m_heartbeat.PushFriendOnline(qid);
    Tick();
    EXPECT_EQ(m_view.popups, std::vector<int>{11});
    Tick();
    EXPECT_EQ(m_view.popups, (std::vector<int>{11, 12}));
    Tick();
    EXPECT_EQ(m_view.popups, (std::vector<int>{11, 12, 13}));
    Ticks(3);
    EXPECT_EQ(m_view.popups.size(), 3u);
    EXPECT_EQ(m_view.showMainBar, 0) << "OpenMainBarOnFriend is not set";
}

TEST_F(Events, AFriendOnlineShowsTheHiddenMainBarOnlyWhenAskedTo) {
    m_heartbeat.PushFriendOnline(0);
    Tick();
    m_view.hidden = true;
    m_heartbeat.PushFriendOnline(21);
    Tick();
    EXPECT_EQ(m_view.showMainBar, 0);
    EXPECT_TRUE(m_view.popups.empty()) << "OpenWindowOnFriend is not set";

    SetOption("OpenMainBarOnFriend", "1");
    m_heartbeat.PushFriendOnline(22);
    Tick();
    EXPECT_EQ(m_view.showMainBar, 1);
    m_heartbeat.PushFriendOnline(23);
    Tick();
    EXPECT_EQ(m_view.showMainBar, 1) << "already visible";
}

TEST_F(Events, AFriendEventLightsTheTrayForTenSeconds) {
    ComeOnlineAndLogIn(); // at kStart, an even second
    m_heartbeat.PushFriendOnline(0);
    m_heartbeat.PushFriendOnline(31);
    Tick();
    Tick();
    EXPECT_NE(m_heartbeat.IconState() & kIconFriendOnline, 0);
    EXPECT_EQ(LastTray(), kTrayOnline) << "even second";
    Tick(1);
    EXPECT_EQ(LastTray(), kTrayFriendOnline) << "odd second";
    Tick(8); // 9 seconds after the event
    EXPECT_EQ(LastTray(), kTrayFriendOnline);
    Tick(1); // 10 seconds
    EXPECT_EQ(m_heartbeat.IconState() & kIconFriendOnline, 0);
    Tick(1);
    EXPECT_EQ(LastTray(), kTrayOnline);

    // A new event restarts the window; a clock set back ends it.
    m_heartbeat.PushFriendOnline(32);
    Tick();
    EXPECT_NE(m_heartbeat.IconState() & kIconFriendOnline, 0);
    Tick(-3600);
    EXPECT_EQ(m_heartbeat.IconState() & kIconFriendOnline, 0);
}

TEST_F(Events, NewMessagesOpenTheReadWindowOnePerTickUnlessTheOptionSaysOtherwise) {
    m_heartbeat.PushNewMessage(3);
    m_heartbeat.PushNewMessage(4);
    Tick();
    EXPECT_EQ(m_view.readWindows, std::vector<int>{3});
    Tick();
    EXPECT_EQ(m_view.readWindows, (std::vector<int>{3, 4}));

    SetOption("MessageOpenWin", "0");
    m_heartbeat.PushNewMessage(5);
    m_data.unread = true;
    Tick();
    EXPECT_EQ(m_view.readWindows.size(), 2u) << "the entry is dropped, not kept";
    EXPECT_EQ(LastTray(), kTrayOfflineUnread) << "only the icon tells";
    Tick(1);
    EXPECT_EQ(LastTray(), kTrayOffline);
    SetOption("MessageOpenWin", "1");
    Tick();
    EXPECT_EQ(m_view.readWindows.size(), 2u);
    m_heartbeat.PushNewMessage(6);
    Tick();
    EXPECT_EQ(m_view.readWindows.back(), 6);
}

TEST_F(Events, TheDesktopHearsOfLaterFriendsAndEveryMessageWhateverTheWindowOptions) {
    SetOption("MessageOpenWin", "0");
    m_heartbeat.PushFriendOnline(5); // online before we started
    m_heartbeat.PushFriendOnline(0);
    m_heartbeat.PushFriendOnline(7);
    m_heartbeat.PushNewMessage(2);
    Ticks(4);
    EXPECT_EQ(m_view.friendNotices, std::vector<int>{7});
    EXPECT_TRUE(m_view.popups.empty());
    EXPECT_EQ(m_view.messageNotices, std::vector<int>{2});
    EXPECT_TRUE(m_view.readWindows.empty());

    // Showing the hidden bar for a friend does not replace the notice.
    SetOption("OpenMainBarOnFriend", "1");
    m_view.hidden = true;
    m_heartbeat.PushFriendOnline(8);
    Tick();
    EXPECT_EQ(m_view.friendNotices, (std::vector<int>{7, 8}));
    EXPECT_EQ(m_view.showMainBar, 1);
}

TEST_F(Events, QueuesTakeAppendsFromWorkersWhileTheTickConsumes) {
    constexpr int kPerThread = 200;
    std::vector<std::jthread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([this, t] {
            for (int i = 0; i < kPerThread; ++i)
                m_heartbeat.PushNewMessage(t * 1000 + i);
        });
    for (int i = 0; i < 4 * kPerThread && m_view.readWindows.size() < 4u * kPerThread; ++i)
        Tick();
    for (auto& worker : workers)
        worker.join();
    Ticks(4 * kPerThread - static_cast<int>(m_view.readWindows.size()));
    ASSERT_EQ(m_view.readWindows.size(), 4u * kPerThread);
    // Each worker's entries come out in the order it appended them.
    std::vector<int> next(4, 0);
    for (int index : m_view.readWindows) {
        const int t = index / 1000;
        ASSERT_EQ(index % 1000, next[t]++);
    }
}

TEST_F(Events, SwitchingTheLocalUserDropsWhatWasQueuedForTheOldOne) {
    SetOption("OpenWindowOnFriend", "1");
    m_heartbeat.PushFriendOnline(0);
    Tick();
    m_heartbeat.PushNewMessage(9);
    m_heartbeat.PushFriendOnline(41);
    m_heartbeat.LocalUserSwitching();
    Ticks(2);
    EXPECT_TRUE(m_view.readWindows.empty());
    EXPECT_TRUE(m_view.popups.empty());
    EXPECT_EQ(m_view.switching, 1);
}

TEST_F(Events, ANewFriendFromTheWebIsAddedRejectedOrLeft) {
    m_data.pendingNew = {101, 102, 103, 104};
    m_view.newAnswer = {SNewFriendAnswer::kAdd, 4};
    Tick();
    m_view.newAnswer = {SNewFriendAnswer::kAdd, 0}; // no group to add to
    Tick();
    m_view.newAnswer = {SNewFriendAnswer::kReject, 0};
    Tick();
    m_view.newAnswer = {SNewFriendAnswer::kClosed, 0};
    Tick();
    EXPECT_EQ(m_view.askedNew, (std::vector<int>{101, 102, 103, 104}));
    EXPECT_EQ(m_data.calls, (std::vector<std::string>{"add 101 4", "remove 103 0"}));
    EXPECT_TRUE(m_box.Shown().empty());
}

TEST_F(Events, AVanishedFriendIsDeletedFromItsGroupOrAddedBack) {
    m_data.pendingVanished = {201, 202};
    m_data.groupOf = 6;
    m_view.vanishedAnswer = EVanishedFriendAnswer::kDelete;
    Tick();
    m_view.vanishedAnswer = EVanishedFriendAnswer::kAddBack;
    Tick();
    EXPECT_EQ(m_data.calls, (std::vector<std::string>{"remove 201 6", "readd 202"}));
    EXPECT_TRUE(m_box.Shown().empty());
}

TEST_F(Events, FailedFriendListDecisionsSayWhatCouldNotBeDone) {
    m_data.addFriendResult = -2;
    m_data.removeFriendResult = 0;
    m_data.reAddResult = false;
    m_data.pendingNew = {101, 102};
    m_data.pendingVanished = {201, 202};
    m_view.newAnswer = {SNewFriendAnswer::kAdd, 4};
    m_view.vanishedAnswer = EVanishedFriendAnswer::kDelete;
    Tick(); // one of each kind per tick
    m_view.newAnswer = {SNewFriendAnswer::kReject, 0};
    m_view.vanishedAnswer = EVanishedFriendAnswer::kAddBack;
    Tick();
    const std::string add(kTextCannotAddFriend), remove(kTextCannotRemoveFriend);
    EXPECT_EQ(m_box.Shown(), (std::vector<std::string>{add, remove, remove, add}));
}

TEST_F(Events, FriendListDialogsNeverNestWhileTheTimerKeepsFiring) {
    m_data.pendingNew = {101, 102};
    m_data.pendingVanished = {201};
    int nested = 0;
    // The modal dialog's own loop: the timer fires in it again and again.
    m_view.whileDialogOpen = [&] {
        if (nested++ < 3) {
            Tick();
            Tick();
        }
    };
    Tick();
    EXPECT_EQ(m_view.askedNew, std::vector<int>{101});
    EXPECT_EQ(m_view.askedVanished, std::vector<int>{201});
    EXPECT_EQ(m_view.blinks, 5) << "the nested ticks did run, just not the dialogs";
    Tick();
    EXPECT_EQ(m_view.askedNew, (std::vector<int>{101, 102})) << "the lock was given back";
}

TEST_F(Events, PeriodicTasksRunOnTheFirstTickThenByWallClockInterval) {
    std::vector<std::string> runs;
    m_tasks.RegisterPeriodicTask([&] { runs.push_back("sync"); }, 20);
    m_tasks.RegisterPeriodicTask([&] { runs.push_back("fetch"); }, 5);
    Tick();
    EXPECT_EQ(runs, (std::vector<std::string>{"sync", "fetch"}));
    runs.clear();
    Ticks(10); // many ticks within one second start nothing
    Tick(4);
    EXPECT_TRUE(runs.empty());
    Tick(1);  // 5 s
    Tick(14); // 19 s
    Tick(1);  // 20 s
    EXPECT_EQ(runs, (std::vector<std::string>{"fetch", "fetch", "sync"}));
}

TEST_F(Events, SuspendedTasksStartNothingAndEveryDueTaskRunsOnResume) {
    int sync = 0, fetch = 0;
    m_tasks.RegisterPeriodicTask([&] { ++sync; }, 20);
    m_tasks.RegisterPeriodicTask([&] { ++fetch; }, 5);
    Tick();
    m_tasks.SuspendPeriodicTasks();
    EXPECT_TRUE(m_tasks.IsSuspended());
    Tick(60);
    Tick(60);
    EXPECT_EQ(sync, 1);
    EXPECT_EQ(fetch, 1);
    m_tasks.ResumePeriodicTasks();
    Tick();
    EXPECT_EQ(sync, 2);
    EXPECT_EQ(fetch, 2);
}

TEST_F(Events, AClockSetBackDoesNotStallThePeriodicTasks) {
    int fetch = 0;
    m_tasks.RegisterPeriodicTask([&] { ++fetch; }, 5);
    Tick();
    Tick(-86400);
    EXPECT_EQ(fetch, 2);
    Tick(5);
    EXPECT_EQ(fetch, 3);
}

TEST_F(Events, ATaskMayRegisterAnotherWhileItRuns) {
    int inner = 0;
    m_tasks.RegisterPeriodicTask([&] { m_tasks.RegisterPeriodicTask([&] { ++inner; }, 5); }, 3600);
    Tick();
    EXPECT_EQ(inner, 0);
    Tick();
    EXPECT_EQ(inner, 1);
}

} // namespace
} // namespace murmex::test
