// The add-friend wizard and the search against the real service server: a
// member is found by QID or by nick and e-mail, refused for the right reason,
// and once added is in the tree and on the service's friend list.
#include "addfriend_world.h"
#include "friends/add_group_dialog.h"
#include "friends/friend_insert_step1.h"
#include "friends/friend_insert_step2.h"
#include "friends/friend_insert_step3.h"
#include "friends/friend_tree.h"
#include "friends/group_choice_dialog.h"
#include "friends/user_search_dlg.h"
#include "friends/user_search_results_dlg.h"
#include "platform/clock.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "support/service_world.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <memory>

namespace murmex {
namespace {

int Register(CRequestEngine& engine, const std::string& nick, const std::string& name,
             const std::string& surname) {
    return test::CServiceWorld::Register(engine, nick, "haslo", name, surname);
}

class ThroughService : public ::testing::Test {
protected:
    void SetUp() override {
        engine = service.Client();
        me = Register(*engine, "alicja", "Alicja", "Kowalska");
        bob = Register(*engine, "bob", "Bogdan", "Zieliński");
        carol = Register(*engine, "karolina", "Karolina", "Wiśniewska");
        ASSERT_GT(me, 0);
        ASSERT_GT(carol, 0);
        channels = std::make_unique<CChannelList>(*engine, clock);
        data = std::make_unique<CDataManager>(*engine, *channels, clock);
        data->AddLocalUser(me);
        data->SwitchLocalUser(me);
        data->WaitForWorkers();
        CUserRecord login(me);
        login.SetPassword("haslo");
        ASSERT_TRUE(login.LoginAs(*engine));
        work = data->NewGroup("Praca");
        home = data->NewGroup("Dom");
        tree = std::make_unique<CFriendTree>(*data, nullptr);
        data->SetTreeView(tree.get());
    }
    void TearDown() override {
        data->SetTreeView(nullptr);
        tree.reset();
        data->Shutdown();
        data.reset();
        service.server->Stop();
    }

    SFriendInsertServices Services() {
        return SFriendInsertServices{*data, box, [] { return true; }};
    }
    // The service's own list of my friends.
    std::vector<int> ServiceFriends() {
        CParamRecord r;
        std::vector<int> friends;
        if (engine->ExecuteCommand(CMD_GET_FRIENDS, &r))
            r.GetIntList("friends", friends);
        return friends;
    }
    // Page 2 of a wizard started without a group, by QID.
    void ToPage2(CFriendInsertWizard& wizard) {
        wizard.show();
        test::ClickNext(wizard);
        ASSERT_EQ(wizard.ActiveResourceId(), kPageFriendIdentify);
    }

    test::CServiceWorld service;
    std::unique_ptr<CRequestEngine> engine;
    CSystemClock clock;
    std::unique_ptr<CChannelList> channels;
    test::CFakeMessageBox box;
    std::unique_ptr<CDataManager> data;
    std::unique_ptr<CFriendTree> tree;
    int me = 0, bob = 0, carol = 0, work = 0, home = 0;
};

TEST_F(ThroughService, AMemberFoundByQidJoinsTheChosenGroupTheTreeAndTheService) {
    CFriendInsertWizard wizard(Services(), 0);
    ToPage2(wizard);
    CFriendInsertStep2* page = wizard.Step2();
    EXPECT_TRUE(page->QidEdit()->isEnabled());
    EXPECT_FALSE(page->NickEdit()->isEnabled());
    page->QidEdit()->setText(QString::number(bob));
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.ActiveResourceId(), kPageFriendGroup) << box.Shown().size();
    EXPECT_FALSE(data->CachedUser(bob)) << "the lookup does not fill the cache";
    CFriendInsertStep3* groups = wizard.Step3();
    ASSERT_EQ(groups->GroupList()->count(), 2);
    EXPECT_EQ(groups->GroupList()->currentIndex(), 0);
    groups->GroupList()->setCurrentIndex(1);
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.result(), QDialog::Accepted);

    const CFriendInsertWizard::SAdded added = wizard.AddChosenFriend();
    EXPECT_EQ(added.result, CDataManager::kDone);
    EXPECT_EQ(added.groupId, home);
    EXPECT_TRUE(data->IsFriend(bob));
    ASSERT_TRUE(tree->FriendItem(home, bob));
    EXPECT_EQ(tree->FriendItem(home, bob)->text(0), QStringLiteral("bob"));
    EXPECT_EQ(ServiceFriends(), std::vector<int>{bob});
    EXPECT_TRUE(box.Shown().empty());
}

TEST_F(ThroughService, AMemberFoundByNickAndEmailFromAGroupsMenuNeverSeesTheGroupPage) {
    CFriendInsertWizard wizard(Services(), work);
    ToPage2(wizard);
    EXPECT_TRUE(wizard.IsFinishing());
    wizard.Step2()->ByNickButton()->setChecked(true);
    EXPECT_FALSE(wizard.Step2()->QidEdit()->isEnabled());
    wizard.Step2()->NickEdit()->setText(QStringLiteral("karolina"));
    wizard.Step2()->EmailEdit()->setText(QStringLiteral("karolina@example.pl"));
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.ActiveResourceId(), kPageFriendIdentify);
    EXPECT_EQ(wizard.State().foundQid, carol);
    EXPECT_EQ(wizard.AddChosenFriend().groupId, work);
    EXPECT_EQ(data->Group(work)->Members(), std::vector<int>{carol});
    EXPECT_EQ(ServiceFriends(), std::vector<int>{carol});
}

TEST_F(ThroughService, EveryRefusalKeepsPage2WithItsOwnMessage) {
    ASSERT_EQ(data->AddFriend(carol, work), CDataManager::kDone);
    const std::string notFound =
        "Nie znalazłem użytkownika o podanych danych. Sprawdź, czy wpisałeś dane poprawnie.";
    struct SCase {
        bool byQid;
        QString qid, nick, email;
        std::string message;
    } cases[] = {
        {true, QString::number(carol + 1000), {}, {}, notFound},
        {true, QString(), {}, {}, notFound},
        {false, {}, QStringLiteral("bob"), QStringLiteral("inny@example.pl"), notFound},
        {true, QString::number(me), {}, {}, "Nie możesz dodać siebie samego do swoich znajomych."},
        {false,
         {},
         QStringLiteral("alicja"),
         QStringLiteral("alicja@example.pl"),
         "Nie możesz dodać siebie samego do swoich znajomych."},
        {true,
         QString::number(carol),
         {},
         {},
         "Podany użytkownik jest już wpisany do Twoich znajomych."},
    };
    CFriendInsertWizard wizard(Services(), 0);
    ToPage2(wizard);
    CFriendInsertStep2* page = wizard.Step2();
    int n = 0;
    for (const SCase& c : cases) {
        (c.byQid ? page->ByQidButton() : page->ByNickButton())->setChecked(true);
        page->QidEdit()->setText(c.qid);
        page->NickEdit()->setText(c.nick);
        page->EmailEdit()->setText(c.email);
        test::ClickNext(wizard);
        EXPECT_EQ(wizard.ActiveResourceId(), kPageFriendIdentify) << n;
        ASSERT_EQ(box.Shown().size(), static_cast<std::size_t>(++n));
        EXPECT_EQ(box.Shown().back(), c.message) << n;
        EXPECT_TRUE(wizard.NextButton()->isEnabled()) << "the page is given back";
    }
    // A number field takes no letters.
    page->ByQidButton()->setChecked(true);
    page->QidEdit()->clear();
    QTest::keyClicks(page->QidEdit(), QStringLiteral("12a3"));
    EXPECT_EQ(page->QidEdit()->text(), QStringLiteral("123"));
    EXPECT_EQ(ServiceFriends(), std::vector<int>{carol});
}

TEST_F(ThroughService, ANewGroupMadeOnTheLastPageReceivesTheFriend) {
    CFriendInsertWizard wizard(Services(), 0);
    ToPage2(wizard);
    wizard.Step2()->QidEdit()->setText(QString::number(bob));
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.ActiveResourceId(), kPageFriendGroup);
    test::AnswerNextModal<CAddGroupDlg>(&wizard, [](CAddGroupDlg* d) {
        d->NameEdit()->setText(QStringLiteral("Koledzy z liceum"));
        d->OkButton()->click();
    });
    wizard.Step3()->NewGroupButton()->click();
    ASSERT_EQ(wizard.Step3()->GroupList()->count(), 3);
    EXPECT_EQ(wizard.Step3()->GroupList()->currentText(), QStringLiteral("Koledzy z liceum"));
    // Back to page 2 and forward again keeps the new group chosen.
    wizard.BackButton()->click();
    EXPECT_EQ(wizard.ActiveResourceId(), kPageFriendIdentify);
    test::ClickNext(wizard);
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.result(), QDialog::Accepted);
    const CFriendInsertWizard::SAdded added = wizard.AddChosenFriend();
    const std::vector<CGroup> all = data->Groups();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(added.groupId, all.back().Id());
    EXPECT_EQ(all.back().Members(), std::vector<int>{bob});
    EXPECT_TRUE(tree->FriendItem(all.back().Id(), bob));
}

TEST_F(ThroughService, AUserFoundBySearchIsAddedFromTheResultsMenu) {
    CUserSearchDlg search(*data, box, {});
    search.SurnameEdit()->setText(QStringLiteral("wiśniew"));
    search.SearchButton()->click();
    ASSERT_EQ(search.result(), QDialog::Accepted) << (box.Shown().empty() ? "" : box.Shown()[0]);

    CUserSearchResultsDlg results(*data, data->SearchResultQids(), {});
    results.show();
    QTreeWidget* list = results.List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(CUserSearchResultsDlg::kColQid), QString::number(carol));
    EXPECT_EQ(row->text(CUserSearchResultsDlg::kColNick), QStringLiteral("karolina"));
    EXPECT_EQ(row->text(CUserSearchResultsDlg::kColName), QStringLiteral("Karolina"));
    EXPECT_EQ(row->text(CUserSearchResultsDlg::kColSurname), QStringLiteral("Wiśniewska"));

    QStringList offered;
    results.SetMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        QAction* add = nullptr;
        for (QAction* action : menu.actions()) {
            offered << action->text();
            if (action->data().toInt() == CUserSearchResultsDlg::kCmdAddFriend)
                add = action;
        }
        return add;
    });
    test::AnswerNextModal<CGroupChoiceDialog>(&results, [this](CGroupChoiceDialog* d) {
        d->Groups()->setCurrentIndex(d->Groups()->findData(home));
        d->OkButton()->click();
    });
    emit list->customContextMenuRequested(list->visualItemRect(row).center());
    EXPECT_EQ(offered,
              (QStringList{QStringLiteral("Otwórz okno"), QStringLiteral("Dodaj do znajomych")}));
    EXPECT_TRUE(data->IsFriend(carol));
    EXPECT_TRUE(tree->FriendItem(home, carol));
    EXPECT_EQ(ServiceFriends(), std::vector<int>{carol});
}

} // namespace
} // namespace murmex
