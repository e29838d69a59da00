// The friend details window over a local user's stored data (the service a
// scripted peer that is never needed here): the local-contact rules, the cell
// phone fields, the message counter, confirming into the friend tree, the
// history list and the one-window rule.
#include "friends/friend_data.h"
#include "friends/friend_details_dlg.h"
#include "friends/friend_details_host.h"
#include "friends/friend_events.h"
#include "friends/friend_history.h"
#include "friends/friend_notes.h"
#include "friends/friend_tree.h"
#include "model/message_record.h"
#include "tree_world.h"
#include "ui/local_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CTreeWorld;

class FriendDetails : public ::testing::Test {
protected:
    SFriendDetailsServices Services() {
        return {*world.data, world.channels, box, world.clock, [this] { return online; }};
    }
    CFriendDetailsDlg* Open(int qid, int page = CFriendDetailsDlg::kPageData) {
        CFriendDetailsDlg* window = host.Open(qid, page);
        EXPECT_NE(window, nullptr);
        return window;
    }
    static void Type(QLineEdit* field, const QString& text) {
        // As typed: the field validates it and reports the edit.
        field->selectAll();
        field->insert(text);
    }

    CTreeWorld world;
    test::CFakeMessageBox box;
    bool online = true;
    CFriendDetailsHost host{Services()};
};

TEST_F(FriendDetails, LocalContactEditsItsBriefDataAndHasNoServiceParts) {
    CFriendDetailsDlg* contact = Open(CTreeWorld::kContactSms);
    EXPECT_EQ(contact->PageCount(), 3) << "no \"Przypomnienia\" for a local contact";
    EXPECT_EQ(contact->EventsPage(), nullptr);
    CFriendData* page = contact->DataPage();
    EXPECT_FALSE(page->NickField()->isReadOnly());
    EXPECT_FALSE(page->SendMessageButton()->isEnabled());
    EXPECT_FALSE(page->ChatButton()->isEnabled());
    EXPECT_FALSE(page->ShowAsChoice()->isEnabled());
    EXPECT_FALSE(page->QidField()->isEnabled());
    EXPECT_TRUE(page->SendSmsButton()->isEnabled()) << "it has a cell phone number";

    // Any of the four fields writes all four.
    Type(page->NickField(), QStringLiteral("Hydraulik Zbyszek"));
    Type(page->SurnameField(), QStringLiteral("Wąsik"));
    const auto record = world.data->CachedUser(CTreeWorld::kContactSms);
    EXPECT_EQ(FromLocal(record->Nick()), QStringLiteral("Hydraulik Zbyszek"));
    EXPECT_EQ(FromLocal(record->Surname()), QStringLiteral("Wąsik"));

    // A service user: four tabs, the brief data the service's.
    CFriendDetailsDlg* friendWindow = Open(22);
    EXPECT_EQ(friendWindow->PageCount(), 4);
    EXPECT_TRUE(friendWindow->DataPage()->NickField()->isReadOnly());
    EXPECT_TRUE(friendWindow->DataPage()->SendMessageButton()->isEnabled());
    EXPECT_FALSE(friendWindow->DataPage()->SendSmsButton()->isEnabled()) << "no number at all";
    // The contact's window went when the other opened, without "OK": its edits went too.
    EXPECT_EQ(record->Nick(), "hydraulik");
    EXPECT_FALSE(world.Has("Hydraulik Zbyszek"));
}

TEST_F(FriendDetails, CellPhoneSplitsIntoPrefixAndNumberAndJoinsOnlyWhenComplete) {
    CFriendData* page = Open(CTreeWorld::kContactSms)->DataPage();
    EXPECT_EQ(page->PrefixChoice()->currentText(), QStringLiteral("601"));
    EXPECT_EQ(page->NumberField()->text(), QStringLiteral("234567"));
    const auto record = world.data->CachedUser(CTreeWorld::kContactSms);

    Type(page->NumberField(), QStringLiteral("23456"));
    EXPECT_EQ(record->LocalCellPhone(), "") << "five digits store no number";
    EXPECT_FALSE(page->SendSmsButton()->isEnabled());
    Type(page->NumberField(), QStringLiteral("7654321"));
    EXPECT_EQ(page->NumberField()->text(), QStringLiteral("765432"))
        << "a seventh digit never goes in";
    page->PrefixChoice()->setCurrentIndex(page->PrefixChoice()->findText(QStringLiteral("502")));
    EXPECT_EQ(record->LocalCellPhone(), "0502765432");
    EXPECT_TRUE(page->SendSmsButton()->isEnabled());
    page->PrefixChoice()->setCurrentIndex(-1);
    EXPECT_EQ(record->LocalCellPhone(), "") << "no prefix, no number";
    page->NumberField()->clear();
    QTest::keyClicks(page->NumberField(), QStringLiteral("12ab34"));
    EXPECT_EQ(page->NumberField()->text(), QStringLiteral("1234")) << "digits only";

    // A stored number that is not ten characters long shows nothing.
    world.data->CachedUser(22)->SetLocalCellPhone("601234567");
    CFriendData* other = Open(22)->DataPage();
    EXPECT_EQ(other->PrefixChoice()->currentIndex(), -1);
    EXPECT_TRUE(other->NumberField()->text().isEmpty());
    // Offline nothing can be sent, whatever the number.
    online = false;
    world.data->CachedUser(22)->SetLocalCellPhone("0601234567");
    CFriendData* offline = Open(22)->DataPage();
    EXPECT_FALSE(offline->SendSmsButton()->isEnabled());
    EXPECT_FALSE(offline->SendMessageButton()->isEnabled());
}

TEST_F(FriendDetails, StatusNamesTheFriendsChannelAndCzatujFollowsIt) {
    world.data->CachedUser(23)->SetPresence(true, true, 7, world.clock.now);
    CFriendData* page = Open(23)->DataPage();
    EXPECT_EQ(page->StatusField()->text(),
              QStringLiteral("Czatuje na kanale [czat] i ma włączony program Murmex."));
    EXPECT_TRUE(page->ChatButton()->isEnabled());
    EXPECT_TRUE(world.peer.Requests().empty()) << "a known channel is named without asking";

    // The local user is not chatting (the status cannot be refreshed without
    // a connection, and the old one stands): the chat page for the friend's
    // channel goes to the desktop.
    page->ChatButton()->click();
    EXPECT_TRUE(box.Shown().empty());
    ASSERT_EQ(world.shell.Opened().size(), 1U);
    EXPECT_TRUE(world.shell.Opened()[0].ends_with("chat.html")) << world.shell.Opened()[0];

    // No desktop to open the chat page with: the launch fails, and says so.
    world.data->SetDesktopShell(nullptr);
    page->ChatButton()->click();
    EXPECT_EQ(box.Shown(), std::vector<std::string>{"Nie mogę zmienić kanału."});
    EXPECT_EQ(world.shell.Opened().size(), 1U);

    // A chat value that names no channel asks nobody.
    world.data->CachedUser(23)->SetPresence(true, false, 1, world.clock.now);
    EXPECT_EQ(Open(23)->DataPage()->StatusField()->text(),
              QStringLiteral("Czatuje na kanale [[nieznany]]."));
    world.data->CachedUser(23)->SetPresence(false, true, 0, world.clock.now);
    EXPECT_EQ(Open(23)->DataPage()->StatusField()->text(),
              QStringLiteral("Włączony program Murmex."));
    world.data->CachedUser(23)->SetPresence(false, false, 0, world.clock.now);
    page = Open(23)->DataPage();
    EXPECT_EQ(page->StatusField()->text(), QStringLiteral("Niezalogowany."));
    EXPECT_FALSE(page->ChatButton()->isEnabled());
    EXPECT_TRUE(world.peer.Requests().empty());
}

TEST_F(FriendDetails, CharactersLeftFollowTheTextAndStopAtTheLimit) {
    CFriendData* page = Open(21)->DataPage();
    EXPECT_EQ(page->CharactersLeftLabel()->text(), QStringLiteral("1000"));
    page->MessageField()->insertPlainText(QStringLiteral("Cześć!"));
    EXPECT_EQ(page->CharactersLeftLabel()->text(), QStringLiteral("994"));
    page->MessageField()->setPlainText(QString(1200, QLatin1Char('x')));
    EXPECT_EQ(page->MessageField()->toPlainText().size(), 1000);
    EXPECT_EQ(page->CharactersLeftLabel()->text(), QStringLiteral("0"));

    // An empty text is refused before anything is sent.
    page->MessageField()->clear();
    page->SendMessageButton()->click();
    EXPECT_EQ(box.Shown(), std::vector<std::string>{"Nie możesz wysłać pustej wiadomości."});
    EXPECT_TRUE(world.peer.Requests().empty());
}

TEST_F(FriendDetails, ConfirmingSavesTheDisplayNameAndRenamesTheFriendInTheTree) {
    CFriendTree tree(*world.data, nullptr);
    world.data->SetTreeView(&tree);
    host.SetRefreshFriend([&tree](int qid) { tree.TreeUpdateFriend(qid); });
    world.data->CachedUser(22)->SetEmail("bolek@poczta.pl");

    // Closed without "OK": nothing changes.
    CFriendData* page = Open(22)->DataPage();
    page->ShowAsChoice()->setCurrentIndex(1);
    host.Window()->reject();
    EXPECT_EQ(world.data->CachedUser(22)->Display(), "");

    CFriendDetailsDlg* window = Open(22);
    ASSERT_EQ(window->DataPage()->ShowAsChoice()->itemText(1), QStringLiteral("bolek@poczta.pl"));
    window->DataPage()->ShowAsChoice()->setCurrentIndex(1);
    window->OkButton()->click();
    EXPECT_EQ(host.Window(), nullptr);
    EXPECT_EQ(tree.FriendItem(100, 22)->text(0), QStringLiteral("bolek@poczta.pl"));
    EXPECT_TRUE(world.Has("Display=\"bolek@poczta.pl\""));
    world.data->SetTreeView(nullptr);
}

TEST_F(FriendDetails, OnlyOneWindowAndItStartsOnTheAskedPage) {
    QPointer<CFriendDetailsDlg> first = Open(21);
    QPointer<CFriendDetailsDlg> second = Open(23, CFriendDetailsDlg::kPageHistory);
    EXPECT_TRUE(!first || !first->isVisible());
    EXPECT_EQ(host.Window(), second.data());
    EXPECT_EQ(second->ActiveIndex(), CFriendDetailsDlg::kPageHistory);
    EXPECT_EQ(second->TabBar()->currentIndex(), CFriendDetailsDlg::kPageHistory);
    // A contact has no fourth page: it opens on "Dane".
    EXPECT_EQ(Open(CTreeWorld::kContactPlain, CFriendDetailsDlg::kPageEvents)->ActiveIndex(),
              CFriendDetailsDlg::kPageData);
    EXPECT_EQ(host.Open(0), nullptr);
    // A new local user's friends are not the old one's: the window goes.
    host.LocalUserSwitching();
    EXPECT_EQ(host.Window(), nullptr);
}

TEST_F(FriendDetails, HistoryListsTheFriendsEntriesNewestFirstAndShowingOneReadsIt) {
    auto add = [this](int type, int qid, const char* text, std::int64_t time) {
        CMessageRecord m;
        m.SetContent(ToLocal(QString::fromUtf8(text)), qid, time);
        m.SetType(type);
        return world.data->AddMessage(m);
    };
    add(CMessageRecord::Sent, 21, "Idziemy na obiad?", 1000);
    add(CMessageRecord::Received, 22, "Nie do Ali", 1100);
    const int unreadOld = add(CMessageRecord::Received, 21, "Tak, o 13", 1200);
    add(CMessageRecord::SentSms, 21, "Jestem na dole", 1300);
    const int unreadNew = add(CMessageRecord::Received, 21, "Już schodzę", 1400);

    CFriendHistory* page = Open(21, CFriendDetailsDlg::kPageHistory)->HistoryPage();
    QListWidget* list = page->List();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->data(CFriendHistory::kIndexRole).toInt(), unreadNew);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("< "))) << "shown: mark gone";
    EXPECT_FALSE(list->item(0)->text().contains(QStringLiteral("[nowa]")));
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("SMS ")));
    EXPECT_TRUE(list->item(2)->text().startsWith(QStringLiteral("< [nowa] ")));
    EXPECT_TRUE(list->item(3)->text().startsWith(QStringLiteral("> ")));
    EXPECT_EQ(page->TextField()->toPlainText(), QStringLiteral("Już schodzę"));
    EXPECT_EQ(page->NickField()->text(), QStringLiteral("ala"));
    EXPECT_TRUE(world.data->MessageAt(unreadNew)->IsRead());
    EXPECT_FALSE(world.data->MessageAt(unreadOld)->IsRead());

    list->setCurrentRow(2);
    EXPECT_EQ(page->TextField()->toPlainText(), QStringLiteral("Tak, o 13"));
    EXPECT_TRUE(list->item(2)->text().startsWith(QStringLiteral("< ")));
    EXPECT_FALSE(list->item(2)->text().contains(QStringLiteral("[nowa]")));
    EXPECT_EQ(world.data->UnreadCount(), 1) << "only the one from another friend";
}

TEST_F(FriendDetails, NotesAreKeptOnConfirmAndOutliveTheFriendsRemoval) {
    CFriendDetailsDlg* window = Open(CTreeWorld::kContactPlain, CFriendDetailsDlg::kPageNotes);
    window->NotesPage()->NoteField()->insertPlainText(QStringLiteral("Klucz pod wycieraczką"));
    EXPECT_EQ(FromLocal(world.data->CachedUser(CTreeWorld::kContactPlain)->Note()),
              QStringLiteral("Klucz pod wycieraczką"));
    // A note longer than a stored line holds is cut where it would be cut on reading.
    window->NotesPage()->NoteField()->setPlainText(QString(1100, QLatin1Char('n')));
    EXPECT_EQ(world.data->CachedUser(CTreeWorld::kContactPlain)->Note().size(), 1023u);

    // The contact goes while its window is open: the window keeps its own
    // record and confirming saves nothing of it.
    ASSERT_EQ(world.data->RemoveFriend(CTreeWorld::kContactPlain, 400), CDataManager::kDone);
    Type(window->DataPage()->NickField(), QStringLiteral("x"));
    window->OkButton()->click();
    EXPECT_FALSE(world.Has("sasiad"));
    EXPECT_EQ(host.Window(), nullptr);
}

} // namespace
} // namespace murmex
