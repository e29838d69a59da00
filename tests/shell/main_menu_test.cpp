// The main menu: which commands each state allows, the two toggle items, the
// items a LAN leaves out, and that a chosen item reports its command.
#include "shell/main_menu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>
#include <set>

namespace murmex::test {
namespace {

using C = EMenuCommand;

std::set<C> Enabled(const SMainMenuEnabling& enabling) {
    std::set<C> result;
    for (std::size_t i = 0; i < kMenuCommandCount; ++i)
        if (enabling.enabled[i])
            result.insert(static_cast<C>(i));
    return result;
}

// Needs nothing: the counter, the messages, the options, help and exit.
const std::set<C> kAlways = {C::Counter, C::Messages, C::Options, C::Connection,
                             C::Help,    C::About,    C::Exit};

std::set<C> With(std::set<C> more) {
    more.insert(kAlways.begin(), kAlways.end());
    return more;
}

TEST(MainMenuRules, EachStateEnablesExactlyItsCommands) {
    SMainMenuState state; // offline, no user at all
    EXPECT_EQ(Enabled(MainMenuEnabling(state)), kAlways);

    state.localUserCount = 1;
    state.hasCurrentUser = true;
    EXPECT_EQ(Enabled(MainMenuEnabling(state)), With({C::AddFriend, C::AddGroup, C::RemoveUser}));

    state.connected = true;
    EXPECT_EQ(Enabled(MainMenuEnabling(state)),
              With({C::AddFriend, C::AddGroup, C::RemoveUser, C::Login, C::Chat, C::AddUser}));

    state.loginInProgress = true;
    EXPECT_FALSE(MainMenuEnabling(state).IsEnabled(C::Login)) << "no second login meanwhile";

    state.loginInProgress = false;
    state.loggedIn = true;
    state.localUserCount = 2;
    EXPECT_EQ(Enabled(MainMenuEnabling(state)),
              With({C::AddFriend, C::AddGroup, C::RemoveUser, C::Login, C::Chat, C::AddUser,
                    C::ChangeUser, C::EditUser, C::SearchUsers, C::AddFavouriteChannel,
                    C::SearchChannel, C::CreateChannel, C::SendProgram, C::Feedback}));

    // Logged in while a stale login flag lingers: logging out stays possible.
    state.loginInProgress = true;
    EXPECT_TRUE(MainMenuEnabling(state).IsEnabled(C::Login));
}

TEST(MainMenuRules, TogglesFollowLoginAndConnection) {
    SMainMenuState state;
    EXPECT_TRUE(MainMenuEnabling(state).loggedOut);
    EXPECT_TRUE(MainMenuEnabling(state).disconnected);
    state.connected = true;
    state.loggedIn = true;
    EXPECT_FALSE(MainMenuEnabling(state).loggedOut);
    EXPECT_FALSE(MainMenuEnabling(state).disconnected);
}

class MainMenuTest : public ::testing::Test {
protected:
    QWidget m_owner;
};

TEST_F(MainMenuTest, BuiltInTheOrderOfTheBarWithTheGivenTexts) {
    CMainMenu menu(true, &m_owner);
    QStringList top;
    for (QAction* action : menu.Menu()->actions())
        top << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(top, (QStringList{"Znajomy", "Kanał", "Licznik modemowy", "Użytkownik", "Wiadomości",
                                "Czat", "-", "Opcje", "-", "Połącz z Internetem", "Zaloguj się",
                                "-", "Pomoc", "-", "Koniec"}));

    auto texts = [](QMenu* submenu) {
        QStringList list;
        for (QAction* action : submenu->actions())
            list << action->text();
        return list;
    };
    EXPECT_EQ(texts(menu.SubmenuOf(C::AddFriend)),
              (QStringList{"Dodaj znajomego", "Dodaj grupę", "Szukaj", "Wyślij program Murmex"}));
    EXPECT_EQ(texts(menu.SubmenuOf(C::CreateChannel)),
              (QStringList{"Dodaj kanał do ulubionych", "Szukaj kanału", "Załóż kanał"}));
    EXPECT_EQ(texts(menu.SubmenuOf(C::RemoveUser)),
              (QStringList{"Zmień użytkownika", "Edycja danych użytkownika", "Dodaj nowego",
                           "Usuń użytkownika z komputera"}));
    EXPECT_EQ(texts(menu.SubmenuOf(C::Feedback)),
              (QStringList{"Pomoc", "O programie", "Wyślij swoje uwagi"}));
    // The owner-drawn items carry their pictures once the menu is about to
    // open; the plain ones none.
    menu.Prepare({});
    EXPECT_FALSE(menu.Action(C::Options)->icon().isNull());
    EXPECT_TRUE(menu.Action(C::Chat)->icon().isNull());
}

TEST_F(MainMenuTest, ALanHasNoCounterAndNoConnectionItem) {
    CMainMenu menu(false, &m_owner);
    EXPECT_EQ(menu.Action(C::Counter), nullptr);
    EXPECT_EQ(menu.Action(C::Connection), nullptr);
    for (QAction* action : menu.Menu()->actions()) {
        EXPECT_NE(action->text(), QStringLiteral("Licznik modemowy"));
        EXPECT_NE(action->text(), QStringLiteral("Połącz z Internetem"));
    }
    // Preparing a menu without them must not trip over the missing items.
    SMainMenuState state;
    state.connected = true;
    menu.Prepare(state);
    EXPECT_TRUE(menu.Action(C::Login)->isEnabled());
}

TEST_F(MainMenuTest, PrepareAppliesTheRulesAndTheToggleTexts) {
    CMainMenu menu(true, &m_owner);
    SMainMenuState state;
    menu.Prepare(state);
    EXPECT_FALSE(menu.Action(C::Login)->isEnabled());
    EXPECT_FALSE(menu.Action(C::AddFriend)->isEnabled());
    EXPECT_TRUE(menu.Action(C::Exit)->isEnabled());
    EXPECT_EQ(menu.Action(C::Login)->text(), QStringLiteral("Zaloguj się"));
    EXPECT_EQ(menu.Action(C::Connection)->text(), QStringLiteral("Połącz z Internetem"));

    state = {true, true, false, true, 1};
    menu.Prepare(state);
    EXPECT_TRUE(menu.Action(C::Login)->isEnabled());
    EXPECT_TRUE(menu.Action(C::EditUser)->isEnabled());
    EXPECT_FALSE(menu.Action(C::ChangeUser)->isEnabled());
    EXPECT_EQ(menu.Action(C::Login)->text(), QStringLiteral("Wyloguj się"));
    EXPECT_EQ(menu.Action(C::Connection)->text(), QStringLiteral("Rozłącz"));

    state = {};
    menu.Prepare(state);
    EXPECT_EQ(menu.Action(C::Login)->text(), QStringLiteral("Zaloguj się")) << "toggles back";
    EXPECT_FALSE(menu.Action(C::EditUser)->isEnabled());
}

TEST_F(MainMenuTest, ChoosingAnItemReportsItsCommand) {
    CMainMenu menu(true, &m_owner);
    QSignalSpy spy(&menu, &CMainMenu::Triggered);
    menu.Action(C::Options)->trigger();
    menu.Action(C::RemoveUser)->trigger();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).value<C>(), C::Options);
    EXPECT_EQ(spy.at(1).at(0).value<C>(), C::RemoveUser);
}

TEST_F(MainMenuTest, ItemsAreDrawnAtTheirFixedSize) {
    CMainMenu menu(true, &m_owner);
    QMenu* top = menu.Menu();
    top->ensurePolished();
    const QRect options = top->actionGeometry(menu.Action(C::Options));
    EXPECT_EQ(options.height(), CMainMenu::kItemHeight);
    EXPECT_GE(options.width(), CMainMenu::kItemWidth);
    // Wider than 100 pixels only as far as the longest text needs.
    const QFontMetrics metrics(top->font());
    int longest = 0;
    for (QAction* action : top->actions())
        longest = std::max(longest, metrics.horizontalAdvance(action->text()));
    EXPECT_GE(options.width(), CMainMenu::kTextOffset + longest);
    if (CMainMenu::kTextOffset + longest + 15 <= CMainMenu::kItemWidth) {
        EXPECT_EQ(options.width(), CMainMenu::kItemWidth);
    }
    EXPECT_EQ(top->actionGeometry(menu.Action(C::Exit)).width(), options.width());
    // The menu is no wider than its items and its frame.
    EXPECT_LE(top->sizeHint().width(), options.width() + 2);
    // Drawing (also a disabled, a selected and a submenu item) must work.
    menu.Prepare({});
    top->setActiveAction(menu.Action(C::Options));
    const QImage picture = top->grab().toImage();
    EXPECT_FALSE(picture.isNull());
}

} // namespace
} // namespace murmex::test
