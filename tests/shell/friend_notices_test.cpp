// The friend notices: what each shows and what each answers; and the window
// router opening them for the heartbeat.
#include "bar_world.h"
#include "friends/friend_notices.h"
#include "ports/data_manager_port.h"
#include "session/call_counter_port.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"
#include "storage/options.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace murmex::test {
namespace {

class FriendNotices : public ::testing::Test {
protected:
    FriendNotices() : world(kTwoUsers, 5) {}
    CBarWorld world;
};

TEST_F(FriendNotices, NewFriendGoesIntoTheChosenGroup) {
    CNewFriendDialog dialog(21, *world.data);
    ASSERT_EQ(dialog.GroupChoice()->count(), 2);
    EXPECT_EQ(dialog.GroupChoice()->currentText(), QStringLiteral("Praca")) << "first preselected";
    dialog.GroupChoice()->setCurrentIndex(1);
    dialog.AddButton()->click();
    EXPECT_EQ(dialog.Answer().kind, SNewFriendAnswer::kAdd);
    EXPECT_EQ(dialog.Answer().groupId, 200);
}

TEST_F(FriendNotices, NewFriendRejectedOrLeftUndecided) {
    {
        CNewFriendDialog dialog(21, *world.data);
        dialog.RejectButton()->click();
        EXPECT_EQ(dialog.Answer().kind, SNewFriendAnswer::kReject);
    }
    CNewFriendDialog dialog(21, *world.data);
    dialog.reject();
    EXPECT_EQ(dialog.Answer().kind, SNewFriendAnswer::kClosed);
}

TEST_F(FriendNotices, NewFriendCanGoIntoAGroupMadeOnTheSpot) {
    CNewFriendDialog dialog(21, *world.data);
    dialog.SetGroupNamePrompt([](QWidget*, QString& name) {
        name = QStringLiteral("Szkoła");
        return true;
    });
    dialog.AddGroupButton()->click();
    ASSERT_EQ(world.data->Groups().size(), 3u);
    EXPECT_EQ(world.data->Groups().back().Name(), "Szko\xb3"
                                                  "a")
        << "stored in Windows-1250";
    EXPECT_EQ(dialog.GroupChoice()->currentText(), QStringLiteral("Szkoła"));
    dialog.AddButton()->click();
    EXPECT_EQ(dialog.Answer().groupId, world.data->Groups().back().Id());

    // A cancelled name makes no group.
    CNewFriendDialog again(21, *world.data);
    again.SetGroupNamePrompt([](QWidget*, QString&) { return false; });
    again.AddGroupButton()->click();
    EXPECT_EQ(world.data->Groups().size(), 3u);
}

TEST_F(FriendNotices, WithoutAnyGroupAddWaitsForOne) {
    CBarWorld empty({"[LocalUsers]",
                     "QID=\"5\" Nick=\"ja\" Email=\"\" Name=\"\" Surname=\"\" "
                     "HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"1\" "
                     "Password=\"pw\" "},
                    5);
    CNewFriendDialog dialog(21, *empty.data);
    EXPECT_EQ(dialog.GroupChoice()->count(), 0);
    dialog.show();
    dialog.AddButton()->click();
    EXPECT_TRUE(dialog.isVisible()) << "nowhere to put the friend yet";
    EXPECT_EQ(dialog.Answer().kind, SNewFriendAnswer::kClosed);
}

TEST_F(FriendNotices, VanishedFriendIsDeletedOnlyOnRequest) {
    {
        CVanishedFriendDialog dialog(22, *world.data);
        dialog.DeleteButton()->click();
        EXPECT_EQ(dialog.Answer(), EVanishedFriendAnswer::kDelete);
    }
    {
        CVanishedFriendDialog dialog(22, *world.data);
        dialog.AddBackButton()->click();
        EXPECT_EQ(dialog.Answer(), EVanishedFriendAnswer::kAddBack);
    }
    CVanishedFriendDialog dialog(22, *world.data);
    dialog.reject();
    EXPECT_EQ(dialog.Answer(), EVanishedFriendAnswer::kAddBack) << "closing puts it back";
}

TEST_F(FriendNotices, OnlinePopupNamesTheChannelAndOffersToTalk) {
    world.data->CachedUser(21)->SetPresence(true, true, 7, world.clock.now);
    auto* popup = new CFriendOnlineDialog(21, *world.data, world.channels);
    EXPECT_EQ(popup->NickField()->text(), QStringLiteral("ala"));
    EXPECT_EQ(popup->EmailField()->text(), QStringLiteral("ala@x"));
    EXPECT_EQ(popup->ChannelField()->text(), QStringLiteral("czat"));
    EXPECT_TRUE(popup->TalkButton()->isEnabled());
    QSignalSpy talk(popup, &CFriendOnlineDialog::TalkRequested);
    QSignalSpy details(popup, &CFriendOnlineDialog::DetailsRequested);
    popup->TalkButton()->click();
    popup->DetailsButton()->click();
    EXPECT_EQ(talk.value(0).value(0).toInt(), 7);
    EXPECT_EQ(details.value(0).value(0).toInt(), 21);
    QPointer<CFriendOnlineDialog> guard(popup);
    popup->show();
    popup->OkButton()->click();
    EXPECT_TRUE(WaitFor([&] { return guard.isNull(); })) << "gone when closed";
}

TEST_F(FriendNotices, OnlinePopupForAFriendOnNoChannel) {
    world.data->CachedUser(22)->SetPresence(true, true, 1, world.clock.now);
    CFriendOnlineDialog popup(22, *world.data, world.channels);
    popup.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(popup.ChannelField()->text(), QStringLiteral("nie jest na żadnym kanale"));
    EXPECT_FALSE(popup.TalkButton()->isEnabled());
}

TEST_F(FriendNotices, TheBarOpensOnePopupPerEventAndClosesThemOnASwitch) {
    world.data->CachedUser(21)->SetPresence(true, true, 7, world.clock.now);
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    router.OpenFriendOnlinePopup(21);
    router.OpenFriendOnlinePopup(22);
    router.OpenFriendOnlinePopup(21);
    EXPECT_EQ(router.FriendOnlinePopups().size(), 3u);
    EXPECT_FALSE(bar.IsBusy()) << "busy only while filling";
    router.LocalUserSwitching();
    EXPECT_TRUE(router.FriendOnlinePopups().empty());
}

TEST_F(FriendNotices, TheHeartbeatsQuestionsComeBackAsAnswers) {
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    QTimer::singleShot(0, &bar, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CNewFriendDialog*>(window);
                dialog && dialog->isVisible())
                dialog->RejectButton()->click();
    });
    EXPECT_EQ(router.AskNewFriend(22).kind, SNewFriendAnswer::kReject);
    QTimer::singleShot(0, &bar, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CVanishedFriendDialog*>(window);
                dialog && dialog->isVisible())
                dialog->DeleteButton()->click();
    });
    EXPECT_EQ(router.AskVanishedFriend(23), EVanishedFriendAnswer::kDelete);
}

// The data manager as the heartbeat sees it, with one friend waiting to be
// added and the friend changes recorded instead of sent.
class CPendingFriendData final : public IDataManagerPort {
public:
    explicit CPendingFriendData(int pendingQid) : pending(pendingQid) {}
    int StartLogin() override { return 0; }
    bool Logout() override { return true; }
    bool HasUnreadMessages() const override {
        ++ticks;
        return false;
    }
    int CurrentLocalUser() const override { return 5; }
    int NextPendingNewFriend() override { return std::exchange(pending, 0); }
    int NextPendingVanishedFriend() override { return 0; }
    int AddFriend(int qid, int) override { return Record("add", qid); }
    int RemoveFriend(int qid, int) override { return Record("remove", qid); }
    int GroupOf(int) const override { return 0; }
    bool ReAddFriend(int qid) override { return Record("readd", qid) > 0; }

    int pending;
    mutable int ticks = 0;
    std::vector<std::string> calls;

private:
    int Record(const char* what, int qid) {
        calls.push_back(std::string(what) + " " + std::to_string(qid));
        return 1;
    }
};

class CIdleCounter final : public ICallCounterPort {
public:
    void StartCall() override {}
    bool EndCall() override { return false; }
    bool IsCallRunning() const override { return false; }
    bool TimerEvent() override { return false; }
    std::string CounterText() const override { return {}; }
};

TEST_F(FriendNotices, TheHeartbeatGoesOnWhileTheNewFriendQuestionIsOpen) {
    SetOption("OpenWindowOnFriend", "1");
    CMainBar bar(*world.ctx);
    CWindowRouter router(*world.ctx, bar);
    CPendingFriendData data(22);
    CIdleCounter counter;
    world.heartbeat.Attach(data, counter, router);

    // Once the question is up, a friend comes online; the question is
    // answered only when that friend's pop-up has opened, or given up on
    // after many looks, so that a stopped heartbeat fails rather than hangs.
    QTimer watch;
    watch.setInterval(10);
    int looks = 0;
    int ticksAtOpen = -1;
    bool popupWhileAsked = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        CNewFriendDialog* asked = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CNewFriendDialog*>(window);
                dialog && dialog->isVisible())
                asked = dialog;
        if (!asked)
            return;
        if (ticksAtOpen < 0) {
            ticksAtOpen = data.ticks;
            world.heartbeat.PushFriendOnline(0); // the first synchronisation is over
            world.heartbeat.PushFriendOnline(21);
        }
        popupWhileAsked = !router.FriendOnlinePopups().empty();
        if (popupWhileAsked || ++looks > 1000) {
            watch.stop();
            asked->RejectButton()->click();
        }
    });
    watch.start();
    bar.StartHeartbeat();
    ASSERT_TRUE(WaitFor([&] { return !data.calls.empty(); }, std::chrono::seconds(30)));
    bar.StopHeartbeat();

    EXPECT_TRUE(popupWhileAsked) << "the friend-online event waited for the question";
    EXPECT_GT(data.ticks, ticksAtOpen + 1) << "ticks ran under the open question";
    EXPECT_EQ(data.calls, std::vector<std::string>{"remove 22"}) << "asked once, answered once";
    world.heartbeat.Detach();
}

} // namespace
} // namespace murmex::test
