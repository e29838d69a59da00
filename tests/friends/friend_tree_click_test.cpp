// How clicks select and open in the friend tree: the chosen button, the menu
// timer, double clicks, the friend action.
#include "friends/tree_icons.h"
#include "model/message_record.h"
#include "tree_fixture.h"

#include <QSignalSpy>

namespace murmex {
namespace {

using test::CLongDoubleClick;
using test::FriendTree;
using test::WaitFor;

TEST_F(FriendTree, ALeftClickOpensTheMenuOnlyAfterTheDoubleClickTime) {
    {
        CLongDoubleClick longWait;
        test::Click(*tree, Qt::LeftButton, At(Friend(100, 22)));
        QCoreApplication::processEvents();
        EXPECT_EQ(tree->currentItem(), Friend(100, 22)) << "the click selects at once";
        EXPECT_TRUE(tree->IsMenuPending());
        EXPECT_TRUE(menus.menus.empty()) << "no menu before the double-click time";
    }
    // Once more with the ordinary double-click time: the menu comes by itself.
    test::Click(*tree, Qt::LeftButton, At(Friend(100, 22)));
    ASSERT_TRUE(WaitFor([&] { return !menus.menus.empty(); }));
    EXPECT_FALSE(tree->IsMenuPending());
    ASSERT_EQ(menus.menus.size(), 1u);
    EXPECT_EQ(menus.menus[0].entries, (QStringList{"Otwórz okno", "-", "Usuń"}));
    EXPECT_EQ(menus.menus[0].defaultEntry, "Otwórz okno");
}

TEST_F(FriendTree, TheGroupMenuNamesWhatTheToggleWillDo) {
    test::Click(*tree, Qt::LeftButton, At(Group(100)));
    ASSERT_TRUE(WaitFor([&] { return menus.menus.size() == 1; }));
    EXPECT_EQ(menus.menus[0].entries, (QStringList{"Zwiń", "-", "Dodaj znajomego", "Dodaj grupę",
                                                   "-", "Usuń", "Zmień nazwę"}));
    EXPECT_EQ(menus.menus[0].defaultEntry, "Zwiń");

    Group(300)->setExpanded(false);
    test::Click(*tree, Qt::LeftButton, At(Group(300)));
    ASSERT_TRUE(WaitFor([&] { return menus.menus.size() == 2; }));
    EXPECT_EQ(menus.menus[1].entries.front(), "Rozwiń");
}

TEST_F(FriendTree, ADoubleClickCancelsThePendingMenuAndRunsTheFriendAction) {
    CLongDoubleClick longWait;
    QSignalSpy message(tree.get(), &CFriendTree::OpenMessageWindow);
    test::DoubleClick(*tree, Qt::LeftButton, At(Friend(100, 22)));
    EXPECT_FALSE(tree->IsMenuPending());
    ASSERT_EQ(message.count(), 1);
    EXPECT_EQ(message.at(0).at(0).toInt(), 22);
    QCoreApplication::processEvents();
    EXPECT_TRUE(menus.menus.empty());
}

TEST_F(FriendTree, WithTheRightButtonChosenTheLeftOneDoesNothing) {
    CLongDoubleClick longWait;
    SetOption("MouseButton", "1");
    tree->setCurrentItem(nullptr);
    test::Click(*tree, Qt::LeftButton, At(Friend(100, 22)));
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_FALSE(tree->IsMenuPending());

    QSignalSpy message(tree.get(), &CFriendTree::OpenMessageWindow);
    test::DoubleClick(*tree, Qt::LeftButton, At(Friend(100, 22)));
    EXPECT_EQ(message.count(), 0);

    test::Click(*tree, Qt::RightButton, At(Friend(100, 22)));
    EXPECT_EQ(tree->currentItem(), Friend(100, 22));
    EXPECT_TRUE(tree->IsMenuPending());
    test::DoubleClick(*tree, Qt::RightButton, At(Friend(100, 22)));
    EXPECT_EQ(message.count(), 1);

    // Any value but "0" means the right button; "0" brings the left one back.
    SetOption("MouseButton", "0");
    test::Click(*tree, Qt::RightButton, At(Friend(200, 23)));
    EXPECT_EQ(tree->currentItem(), Friend(100, 22));
    test::Click(*tree, Qt::LeftButton, At(Friend(200, 23)));
    EXPECT_EQ(tree->currentItem(), Friend(200, 23));
}

TEST_F(FriendTree, AClickOnEmptySpaceClearsTheSelectionAndOpensNothing) {
    CLongDoubleClick longWait;
    tree->setCurrentItem(Friend(100, 22));
    test::Click(*tree, Qt::LeftButton, test::EmptySpace(*tree));
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_FALSE(tree->IsMenuPending());
    test::DoubleClick(*tree, Qt::LeftButton, test::EmptySpace(*tree));
    EXPECT_TRUE(menus.menus.empty());
}

TEST_F(FriendTree, ADoubleClickOnAGroupTogglesItAndItsPicture) {
    CLongDoubleClick longWait;
    QTreeWidgetItem* group = Group(300);
    ASSERT_TRUE(group->isExpanded());
    EXPECT_EQ(Icon(group), kIconGroupOpen);
    test::DoubleClick(*tree, Qt::LeftButton, At(group));
    EXPECT_FALSE(group->isExpanded());
    EXPECT_EQ(Icon(group), kIconGroupClosed);
    test::DoubleClick(*tree, Qt::LeftButton, At(group));
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(Icon(group), kIconGroupOpen);
}

// The friend action: an unread message first, then by connection and kind of friend.
TEST_F(FriendTree, TheFriendActionOpensWhatSuitsTheFriend) {
    CLongDoubleClick longWait;
    QSignalSpy read(tree.get(), &CFriendTree::OpenReadWindow);
    QSignalSpy message(tree.get(), &CFriendTree::OpenMessageWindow);
    QSignalSpy sms(tree.get(), &CFriendTree::OpenSmsWindow);
    QSignalSpy details(tree.get(), &CFriendTree::OpenFriendDetails);
    bool connected = true;
    tree->SetConnectionCheck([&connected] { return connected; });
    auto open = [&](int groupId, int qid) {
        test::DoubleClick(*tree, Qt::LeftButton, At(Friend(groupId, qid)));
    };

    CMessageRecord old;
    old.SetContent("stara", 23, 100);
    old.SetRead(true);
    w.data->AddMessage(old);
    for (const char* text : {"pierwsza", "druga"}) {
        CMessageRecord m;
        m.SetContent(text, 23, 200);
        w.data->AddMessage(m);
    }
    open(200, 23);
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(read.at(0).at(0).toInt(), 1) << "the oldest unread message of that friend";

    open(100, 22);
    EXPECT_EQ(message.count(), 1);
    open(400, test::CTreeWorld::kContactSms);
    ASSERT_EQ(sms.count(), 1);
    EXPECT_EQ(sms.at(0).at(0).toInt(), test::CTreeWorld::kContactSms);
    open(400, test::CTreeWorld::kContactPlain);
    EXPECT_EQ(details.count(), 1) << "a contact without a cell phone: its details";

    connected = false;
    open(100, 22);
    open(400, test::CTreeWorld::kContactSms);
    EXPECT_EQ(details.count(), 3) << "offline everything opens the details";
    EXPECT_EQ(message.count(), 1);
    EXPECT_EQ(sms.count(), 1);
    open(200, 23);
    EXPECT_EQ(read.count(), 2) << "unread messages are read offline too";
}

} // namespace
} // namespace murmex
