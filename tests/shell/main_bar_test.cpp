// The main bar: where it stands (lastpos, docking), moving and resizing, the
// busy state, the lines the heartbeat writes, the tray, and the way out.
#include "bar_world.h"
#include "counter_windows/call_list_dialog.h"
#include "friends/favourite_channel_list.h"
#include "friends/friend_tree.h"
#include "friends/recommend_dlg.h"
#include "session/tray_icon_picture.h"
#include "shell/main_bar.h"
#include "shell/main_bar_geometry.h"
#include "shell/main_menu.h"
#include "shell/window_router.h"
#include "support/modal_answer.h"
#include "ui/animation.h"
#include "ui/elided_label.h"
#include "ui/image_button.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace murmex::test {
namespace {

void Mouse(QWidget* target, QEvent::Type type, const QPoint& global,
           Qt::MouseButtons held = Qt::LeftButton) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Press at `from`, move to `to`, release there: a drag as the user makes it.
void Drag(QWidget* target, const QPoint& from, const QPoint& to) {
    Mouse(target, QEvent::MouseButtonPress, from);
    Mouse(target, QEvent::MouseMove, to);
    Mouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

class MainBar : public ::testing::Test {
protected:
    void Make(const std::vector<std::string>& config = {}, int user = 0) {
        router.reset(); // both hold on to the world they were made in
        bar.reset();
        world.reset();
        world = std::make_unique<CBarWorld>(config, user);
        bar = std::make_unique<CMainBar>(*world->ctx);
        router = std::make_unique<CWindowRouter>(*world->ctx, *bar);
    }
    void TearDown() override {
        router.reset();
        bar.reset();
        world.reset();
    }
    QWidget* Strip() const { return bar->childAt(bar->CaptionBoxRect().center()); }
    int BarWidth() const { return DialogUnitsToPixelsX(bar->font(), kMainBarWidthUnits); }

    std::unique_ptr<CBarWorld> world;
    std::unique_ptr<CMainBar> bar;
    std::unique_ptr<CWindowRouter> router;
};

TEST(MainBarGeometry, LastPosKeepsLeftTopAndAtLeast400OfHeight) {
    const SFloatingPlace stored = ParseLastPos("5 5 999 100");
    EXPECT_EQ(stored.left, 5);
    EXPECT_EQ(stored.top, 5);
    EXPECT_EQ(stored.height, 400);
    EXPECT_EQ(ParseLastPos("30 40 152 620").height, 620);
    const SFloatingPlace none = ParseLastPos(std::nullopt);
    EXPECT_EQ(none.left, 100);
    EXPECT_EQ(none.top, 10);
    EXPECT_EQ(none.height, 400);
    // Numbers that end early keep the defaults for the rest.
    const SFloatingPlace partial = ParseLastPos("7 x");
    EXPECT_EQ(partial.left, 7);
    EXPECT_EQ(partial.top, 10);
    EXPECT_EQ(ParseLastPos("").left, 100);
    EXPECT_EQ(LastPosText(QRect(5, 6, 228, 401)), "5 6 228 401");
}

TEST(MainBarGeometry, APlaceOffEveryScreenGoesBackToTheDefaultCorner) {
    const std::vector<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
    SFloatingPlace place{1500, 300, 500};
    EXPECT_EQ(KeepReachable(place, 228, screens).left, 1500) << "on the second monitor";
    place = {4000, 300, 500};
    const SFloatingPlace moved = KeepReachable(place, 228, screens);
    EXPECT_EQ(moved.left, 100);
    EXPECT_EQ(moved.top, 10);
    EXPECT_EQ(moved.height, 500) << "the height is the user's";
    place = {-220, -10, 400};
    EXPECT_EQ(KeepReachable(place, 228, screens).left, -220) << "a corner still shows";
}

TEST(MainBarGeometry, DialogsGoRightOfTheBarThenLeftOfItThenStay) {
    const QRect desktop(0, 0, 1000, 700);
    const QRect bar(600, 50, 200, 400); // right edge at 800: 200 to spare on the right
    EXPECT_EQ(BesideBarX(bar, desktop, 150), 810);
    EXPECT_EQ(AttachedToBarX(bar, desktop, 150), 799);
    EXPECT_EQ(BesideBarX(bar, desktop, 200), 390) << "not less than the room: the left side";
    EXPECT_EQ(AttachedToBarX(bar, desktop, 200), 401);
    EXPECT_EQ(BesideBarX(bar, desktop, 600), std::nullopt);
    EXPECT_EQ(AttachedToBarX(bar, desktop, 600), std::nullopt);
}

TEST(MainBarGeometry, DockedAreaIsTheRightEdgeAtFullUsableHeight) {
    EXPECT_EQ(DockedArea(QRect(0, 0, 1280, 800), QRect(0, 24, 1280, 776), 228),
              QRect(1052, 24, 228, 776));
    EXPECT_EQ(DockedArea(QRect(1280, 0, 1024, 768), QRect(), 228), QRect(2076, 0, 228, 768));
}

TEST_F(MainBar, StandsWhereLastPosSaysWithItsOwnWidthAndAtLeast400High) {
    Make({"[Options]", "lastpos=\"5 5 999 100\" "});
    EXPECT_EQ(bar->geometry(), QRect(5, 5, BarWidth(), 400));
    Make({});
    EXPECT_EQ(bar->geometry(), QRect(100, 10, BarWidth(), 400));
    // The 152 dialog units of the bar's font come to a usable width.
    EXPECT_GT(BarWidth(), 140);
    EXPECT_LT(BarWidth(), 400);
}

TEST_F(MainBar, ChildrenFollowTheLayoutOfTheBar) {
    Make({"[Options]", "lastpos=\"10 10 0 500\" "});
    const int a = bar->width();
    const int e = bar->height();
    EXPECT_EQ(bar->StatusLine()->geometry(), QRect(6, e - 89, a - 12, 18));
    EXPECT_EQ(bar->UserLine()->geometry(), QRect(6, e - 63, a - 79, 16));
    EXPECT_EQ(bar->CostLine()->geometry(), QRect(6, e - 43, a - 79, 16));
    EXPECT_EQ(bar->MenuButton()->geometry(), QRect(6, e - 24, a - 79, 18));
    EXPECT_EQ(bar->Logo()->geometry(), QRect(a - 63, e - 63, 57, 57));
    EXPECT_EQ(bar->Tabs()->geometry().topLeft(), QPoint(6, 25));
    EXPECT_EQ(bar->Tabs()->height(), e - 120);
    EXPECT_EQ(bar->CaptionBoxRect(), QRect(50, 0, a - 92, 19));
    EXPECT_EQ(bar->HideButton()->geometry(), QRect(a - 42, 0, 21, 19));
    EXPECT_EQ(bar->MenuButton()->text(), QStringLiteral("Murmex"));
    EXPECT_EQ(bar->StatusLine()->text(), QStringLiteral("Offline"));
    EXPECT_EQ(bar->CurrentView(), 0);
    bar->Tabs()->setCurrentIndex(1);
    EXPECT_EQ(bar->CurrentView(), 1);
}

TEST_F(MainBar, DraggingTheTopStripMovesTheBarAndStoresItsPlace) {
    Make({"[Options]", "lastpos=\"100 100 0 450\" "});
    bar->show();
    const QPoint grab = bar->mapToGlobal(QPoint(60, 8));
    Drag(Strip(), grab, grab + QPoint(30, 20));
    EXPECT_EQ(bar->pos(), QPoint(130, 120));
    EXPECT_EQ(GetOption("lastpos"), "130 120 " + std::to_string(bar->width()) + " 450");
    EXPECT_TRUE(world->FileHas("lastpos=\"130 120 ")) << "saved at once";
}

TEST_F(MainBar, DraggingTheBottomEdgeResizesOnlyAbove400) {
    Make({"[Options]", "lastpos=\"100 100 0 450\" "});
    bar->show();
    QWidget* grip = bar->ResizeGrip();
    ASSERT_TRUE(grip->isVisible());
    EXPECT_EQ(grip->geometry(), QRect(0, 445, bar->width(), 5));

    Drag(grip, QPoint(150, 548), QPoint(150, 450)); // 350 high: refused
    EXPECT_EQ(bar->height(), 450);
    Drag(grip, QPoint(150, 548), QPoint(150, 500)); // exactly 400: refused too
    EXPECT_EQ(bar->height(), 450);

    Drag(grip, QPoint(150, 548), QPoint(150, 700));
    EXPECT_EQ(bar->geometry(), QRect(100, 100, bar->width(), 600));
    EXPECT_EQ(bar->StatusLine()->y(), 600 - 89) << "laid out again";
    EXPECT_EQ(GetOption("lastpos"), "100 100 " + std::to_string(bar->width()) + " 600");
}

TEST_F(MainBar, WhileDockedNeitherDragMovesOrResizes) {
    Make({"[Options]", "appbar=\"1\" ", "lastpos=\"100 100 0 450\" "});
    bar->show();
    EXPECT_TRUE(bar->IsDocked());
    const QRect docked = bar->geometry();
    const QRect screen = bar->screen()->availableGeometry();
    EXPECT_EQ(docked.right(), bar->screen()->geometry().right());
    EXPECT_EQ(docked.height(), screen.height());

    const QPoint grab = bar->mapToGlobal(QPoint(60, 8));
    Drag(Strip(), grab, grab - QPoint(300, -40));
    Mouse(bar->ResizeGrip(), QEvent::MouseButtonPress, bar->mapToGlobal(QPoint(10, 2)));
    Mouse(bar->ResizeGrip(), QEvent::MouseMove, bar->mapToGlobal(QPoint(10, -100)));
    EXPECT_EQ(bar->geometry(), docked);
    EXPECT_FALSE(bar->ResizeGrip()->isVisible());
    EXPECT_EQ(GetOption("lastpos"), "100 100 0 450") << "nothing stored";
}

TEST_F(MainBar, SetDockingAppliesAndStoresBothFlags) {
    Make({"[Options]", "lastpos=\"120 30 0 420\" "});
    bar->show();
    bar->SetDocking(true, true);
    EXPECT_TRUE(bar->IsDocked());
    EXPECT_EQ(bar->geometry().right(), bar->screen()->geometry().right());
    EXPECT_TRUE(bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(world->FileHas("appbar=\"1\""));
    EXPECT_TRUE(world->FileHas("ontop=\"1\""));

    bar->SetDocking(false, false);
    EXPECT_EQ(bar->geometry(), QRect(120, 30, bar->width(), 420)) << "back where it floated";
    EXPECT_FALSE(bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(world->FileHas("appbar=\"0\""));
    EXPECT_TRUE(world->FileHas("ontop=\"0\""));

    bar->hide();
    bar->SetDocking(true, true); // hidden: only the flags change
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(GetOption("appbar"), "1");
    bar->ShowMainBar(true);
    EXPECT_EQ(bar->geometry().right(), bar->screen()->geometry().right());
}

TEST_F(MainBar, BusyDisablesEveryChildAndPlaysTheLogoUntilTheLastEnd) {
    Make();
    bar->show();
    bar->BeginBusy();
    bar->BeginBusy();
    EXPECT_FALSE(bar->Tabs()->isEnabled());
    EXPECT_FALSE(bar->MenuButton()->isEnabled());
    EXPECT_FALSE(bar->HideButton()->isEnabled());
    EXPECT_FALSE(bar->FriendTree()->isEnabled());
    if (bar->Logo()->IsOpen()) {
        EXPECT_TRUE(bar->Logo()->IsPlaying());
    }
    bar->EndBusy();
    EXPECT_FALSE(bar->MenuButton()->isEnabled()) << "still one long operation under way";
    bar->EndBusy();
    EXPECT_TRUE(bar->Tabs()->isEnabled());
    EXPECT_TRUE(bar->MenuButton()->isEnabled());
    EXPECT_TRUE(bar->FriendTree()->isEnabled());
    EXPECT_FALSE(bar->Logo()->IsPlaying());
    EXPECT_EQ(bar->Logo()->CurrentFrame(), 0);
    bar->EndBusy(); // one too many does no harm
    EXPECT_TRUE(bar->MenuButton()->isEnabled());
}

TEST_F(MainBar, HeartbeatWritesTheLinesAndPicksTheTrayPicture) {
    Make({"[Options]", "InternetConnection=\"LAN\" "});
    world->heartbeat.Tick();
    EXPECT_EQ(bar->StatusLine()->text(), QStringLiteral("Online"));
    EXPECT_EQ(bar->TrayPictureNumber(), kTrayOffline);

    world->engine.SetLoggedIn(true);
    world->heartbeat.Tick();
    EXPECT_EQ(bar->StatusLine()->text(), QStringLiteral("Online i zalogowany"));
    EXPECT_EQ(bar->TrayPictureNumber(), kTrayOnline);
    world->engine.SetLoggedIn(false);

    bar->SetCostLine("00:01:05");
    EXPECT_EQ(bar->CostLine()->text(), QStringLiteral("00:01:05"));

    // The timer drives the same tick every 200 ms.
    bar->StartHeartbeat();
    EXPECT_TRUE(bar->IsHeartbeatRunning());
    EXPECT_TRUE(WaitFor([&] { return bar->TrayPictureNumber() == kTrayOffline; }));
    bar->StopHeartbeat();
}

TEST_F(MainBar, WithoutATrayTheHideButtonMinimisesInsteadOfHiding) {
    Make();
    bar->SetTrayAvailableCheck([] { return false; });
    bar->ShowTrayIcon();
    EXPECT_FALSE(bar->HasTrayIcon());
    bar->SetTrayIcon(kTrayUnread); // remembered all the same
    EXPECT_EQ(bar->TrayPictureNumber(), kTrayUnread);

    bar->show();
    QTest::mouseClick(bar->HideButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return bar->isMinimized(); }));
    EXPECT_TRUE(bar->isVisible()) << "never hidden with nowhere to come back from";
    EXPECT_TRUE(bar->IsMainBarHidden());
    bar->ShowMainBar(true);
    EXPECT_FALSE(bar->IsMainBarHidden());

    // Docked, it has no taskbar entry either: it stays.
    bar->SetDocking(true, true);
    QTest::mouseClick(bar->HideButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar->IsMainBarHidden());
}

TEST_F(MainBar, WithATrayTheHideButtonHidesAndTheBarComesBack) {
    Make();
    bar->SetTrayAvailableCheck([] { return true; });
    bar->ShowTrayIcon();
    bar->show();
    if (!bar->HasTrayIcon())
        GTEST_SKIP() << "this platform shows no tray icon at all";
    QTest::mouseClick(bar->HideButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !bar->isVisible(); }));
    EXPECT_TRUE(bar->IsMainBarHidden());
    bar->ShowMainBar();
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MainBar, ShowsTheCurrentUserAndFollowsASwitch) {
    Make(kTwoUsers, 5);
    EXPECT_EQ(bar->CaptionText(), QStringLiteral("5"));
    EXPECT_EQ(bar->UserLine()->text(), QStringLiteral("Ja sam"));
    world->data->SwitchLocalUser(6);
    ASSERT_TRUE(WaitFor([&] { return bar->CaptionText() == QStringLiteral("6"); }));
    EXPECT_EQ(bar->UserLine()->text(), QStringLiteral("ty")) << "no display text: the nick";
    world->data->WaitForWorkers();
}

TEST_F(MainBar, ALongUserNameEndsInAnEllipsisAndShowsWholeInItsToolTip) {
    Make(kTwoUsers, 5);
    bar->show();
    const QString longName = QStringLiteral("Grzegorz Brzęczyszczykiewicz z Chrząszczyżewoszyc");
    bar->UserLine()->SetFullText(longName);
    EXPECT_EQ(bar->UserLine()->text(), longName);
    EXPECT_EQ(bar->UserLine()->toolTip(), longName);
    const QString shown = bar->UserLine()->ShownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LT(shown.size(), longName.size());
    bar->UserLine()->SetFullText(QStringLiteral("ty"));
    EXPECT_EQ(bar->UserLine()->ShownText(), QStringLiteral("ty")) << "a short name is shown whole";
}

TEST_F(MainBar, TheMenuIsEnabledByTheStateOfTheRun) {
    Make(kTwoUsers, 5);
    bar->show();
    bar->OpenMainMenu();
    CMainMenu* menu = bar->MainMenu();
    EXPECT_TRUE(menu->Menu()->isVisible());
    // Offline, not logged in, a current user, two local users.
    EXPECT_FALSE(menu->Action(EMenuCommand::Login)->isEnabled());
    EXPECT_FALSE(menu->Action(EMenuCommand::EditUser)->isEnabled());
    EXPECT_TRUE(menu->Action(EMenuCommand::AddFriend)->isEnabled());
    EXPECT_TRUE(menu->Action(EMenuCommand::ChangeUser)->isEnabled());
    EXPECT_NE(menu->Action(EMenuCommand::Counter), nullptr) << "not a LAN";
    menu->Menu()->hide();

    world->system.online = true;
    world->engine.SetLoggedIn(true);
    bar->OpenMainMenu();
    EXPECT_TRUE(menu->Action(EMenuCommand::Login)->isEnabled());
    EXPECT_EQ(menu->Action(EMenuCommand::Login)->text(), QStringLiteral("Wyloguj się"));
    EXPECT_EQ(menu->Action(EMenuCommand::Connection)->text(), QStringLiteral("Rozłącz"));
    EXPECT_TRUE(menu->Action(EMenuCommand::Feedback)->isEnabled());
    // The menu's bottom edge meets the button's top.
    const QPoint buttonTop = bar->MenuButton()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(menu->Menu()->geometry().bottom() + 1, buttonTop.y());
    menu->Menu()->hide();
    world->engine.SetLoggedIn(false);
}

TEST_F(MainBar, ALanBarHasNoCounterOrConnectionItem) {
    Make({"[Options]", "InternetConnection=\"LAN\" "});
    EXPECT_EQ(bar->MainMenu()->Action(EMenuCommand::Counter), nullptr);
    EXPECT_EQ(bar->MainMenu()->Action(EMenuCommand::Connection), nullptr);
}

TEST_F(MainBar, MenuCommandsThatNeedNoWindowReachTheirTargets) {
    Make();
    router->RunMenuCommand(EMenuCommand::Help);
    EXPECT_EQ(world->helpTopics, std::vector<int>{0});
    router->RunMenuCommand(EMenuCommand::Exit);
    EXPECT_EQ(world->quitRequests, 1);
    router->RunMenuCommand(EMenuCommand::Chat);
    ASSERT_EQ(world->shell.Opened().size(), 1u);
    EXPECT_EQ(world->shell.Opened()[0].rfind("http", 0), 0u) << world->shell.Opened()[0];
    // Without a current user the windows that need one do nothing, and
    // nothing breaks. ("Dodaj nowego" opens its wizard, below.)
    for (EMenuCommand later :
         {EMenuCommand::AddFriend, EMenuCommand::SearchUsers, EMenuCommand::AddFavouriteChannel,
          EMenuCommand::SearchChannel, EMenuCommand::CreateChannel, EMenuCommand::EditUser,
          EMenuCommand::Messages})
        router->RunMenuCommand(later);
    EXPECT_TRUE(world->messageBox.Shown().empty());
}

TEST_F(MainBar, LicznikModemowyOpensOneMoreCallListOnEveryUse) {
    Make();
    router->RunMenuCommand(EMenuCommand::Counter);
    router->RunMenuCommand(EMenuCommand::Counter);
    const QList<CCallListDialog*> lists = bar->findChildren<CCallListDialog*>();
    ASSERT_EQ(lists.size(), 2);
    for (CCallListDialog* list : lists) {
        EXPECT_TRUE(list->isVisible());
        EXPECT_FALSE(list->isModal());
        list->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar->findChildren<CCallListDialog*>().isEmpty()) << "closed is gone";
}

// Cancels the first modal window of the given kind once it is up, noting its
// name and that it came up modal. One that is not modal is never answered: the
// command has returned by then and nothing is noted.
template <class Window> void CancelWhenShown(QObject& owner, QString* name, bool* modal) {
    AnswerNextModal<Window>(&owner, [name, modal](Window* shown) {
        *name = shown->objectName();
        *modal = true;
        shown->reject();
    });
}

TEST_F(MainBar, WyslijProgramMurmexAsksForTheAddressModallyAndCancelSendsNothing) {
    Make();
    QObject watch;
    QString opened;
    bool modal = false;
    CancelWhenShown<CRecommendDlg>(watch, &opened, &modal);
    router->RunMenuCommand(EMenuCommand::SendProgram);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(world->messageBox.Shown().empty());
}

TEST_F(MainBar, AccountWindowsOpenFromTheMenuAndCancelChangesNothing) {
    Make(kTwoUsers, 5);
    bar->show();
    QObject watch;
    QString opened;
    bool modal = false;
    CancelWhenShown<QDialog>(watch, &opened, &modal);
    router->RunMenuCommand(EMenuCommand::AddUser);
    EXPECT_EQ(opened, QStringLiteral("addUserWizard"));
    EXPECT_TRUE(modal);
    EXPECT_EQ(world->data->CurrentLocalUser(), 5);
    EXPECT_EQ(world->data->LocalUsers().size(), 2u);

    // Not logged in: the account is shown as stored.
    opened.clear();
    modal = false;
    CancelWhenShown<QDialog>(watch, &opened, &modal);
    router->RunMenuCommand(EMenuCommand::EditUser);
    EXPECT_EQ(opened, QStringLiteral("editUserWizard"));
    EXPECT_TRUE(modal);
    EXPECT_FALSE(bar->IsBusy());
    EXPECT_TRUE(bar->MenuButton()->isEnabled());
    EXPECT_TRUE(world->messageBox.Shown().empty());
}

TEST_F(MainBar, EnteringAChannelWithoutAUserSaysItCannot) {
    Make();
    bar->show();
    emit bar->ChannelList()->EnterChannel(7);
    EXPECT_EQ(world->messageBox.Shown(), std::vector<std::string>{"Nie mogę zmienić kanału."});
    EXPECT_FALSE(bar->IsBusy());
    EXPECT_TRUE(bar->MenuButton()->isEnabled());
}

TEST_F(MainBar, EnterAndEscapeLeaveTheBarOpenAndClosingAsksToQuit) {
    Make();
    bar->show();
    QTest::keyClick(bar.get(), Qt::Key_Escape);
    QTest::keyClick(bar.get(), Qt::Key_Return);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(world->quitRequests, 0);
    bar->close(); // as the window manager would
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(world->quitRequests, 1);
    QTest::mouseClick(bar->CloseButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return world->quitRequests == 2; }));
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MainBar, QuittingEndsTheRunningCallAndClosesTheBar) {
    Make();
    bar->show();
    bar->StartHeartbeat();
    world->counter.StartCall();
    bar->QuitApplication();
    EXPECT_FALSE(world->counter.IsCallRunning());
    EXPECT_EQ(world->counter.Log().Count(), 1) << "the call was logged";
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(bar->IsHeartbeatRunning());
    EXPECT_FALSE(bar->HasTrayIcon());
}

TEST_F(MainBar, DialogsArePlacedBesideAndAttachedToTheBar) {
    Make({"[Options]", "lastpos=\"100 50 0 400\" "});
    bar->show();
    QWidget dialog;
    dialog.setGeometry(400, 300, 200, 150);
    bar->PlaceBesideMainBar(&dialog);
    EXPECT_EQ(dialog.x(), 100 + bar->width() + 10);
    EXPECT_EQ(dialog.y(), 300);
    bar->AttachToMainBar(&dialog);
    EXPECT_EQ(dialog.pos(), QPoint(100 + bar->width() - 1, 50));
}

} // namespace
} // namespace murmex::test
