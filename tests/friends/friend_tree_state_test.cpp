// What the friend tree shows: items in the data manager's order, presence
// pictures, the unread-message blink, and changes told from other threads.
#include "friends/tree_icons.h"
#include "model/message_record.h"
#include "tree_fixture.h"

#include <thread>

namespace murmex {
namespace {

using test::FriendTree;
using test::WaitFor;

QStringList Texts(QTreeWidgetItem* group) {
    QStringList texts;
    for (int i = 0; i < group->childCount(); ++i)
        texts << group->child(i)->text(0);
    return texts;
}

TEST_F(FriendTree, ShowsTheGroupsAndFriendsInTheDataManagersOrder) {
    ASSERT_EQ(tree->topLevelItemCount(), 5);
    QStringList groups;
    for (int i = 0; i < 5; ++i)
        groups << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(groups, (QStringList{"Praca", "Dom", "Pusta", "Kontakty", "Sam"}));
    EXPECT_EQ(Texts(Group(100)), (QStringList{"Ala z pracy", "bolek"})) << "display text first";
    EXPECT_EQ(Texts(Group(200)), (QStringList{"cezary", "Ala z pracy"}));
    EXPECT_EQ(CClickTree::ItemValue(Friend(200, 23)), 23);

    // A refill from the data manager gives the same tree, not a second copy;
    // a friend under a group the tree does not show is not shown.
    w.data->RebuildTree();
    EXPECT_EQ(tree->topLevelItemCount(), 5);
    EXPECT_EQ(Texts(Group(100)), (QStringList{"Ala z pracy", "bolek"}));
    tree->TreeAddFriend(999, 22);
    EXPECT_EQ(tree->FriendItems(22).size(), 1u);
    // Groups come closed until a friend in them is online.
    EXPECT_FALSE(Group(100)->isExpanded());
    EXPECT_EQ(Icon(Group(100)), kIconGroupClosed);
}

TEST_F(FriendTree, AListWithoutFriendsSaysHowToAddOne) {
    EXPECT_FALSE(tree->ShowsEmptyHint());
    EXPECT_TRUE(tree->EmptyHint().contains(QStringLiteral("Dodaj znajomego")));
    // Groups alone are no friends: the hint shows below them.
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        while (tree->topLevelItem(i)->childCount() > 0)
            delete tree->topLevelItem(i)->child(0);
    EXPECT_TRUE(tree->ShowsEmptyHint());
    tree->TreeAddFriend(100, 22);
    EXPECT_FALSE(tree->ShowsEmptyHint());
}

TEST_F(FriendTree, EveryPresenceStateHasItsPicture) {
    tree->collapseAll();
    EXPECT_EQ(Icon(Friend(100, 22)), kIconOffline);
    EXPECT_EQ(Icon(Friend(400, test::CTreeWorld::kContactSms)), kIconLocalContact);

    struct SCase {
        bool inChat, running;
        int icon;
    } cases[] = {{true, true, kIconChatAndProgram},
                 {false, true, kIconProgram},
                 {true, false, kIconChat},
                 {false, false, kIconOffline}};
    for (const SCase& c : cases) {
        w.SetPresence(22, c.inChat, c.running);
        tree->TreeUpdateFriend(22);
        EXPECT_EQ(Icon(Friend(100, 22)), c.icon) << c.inChat << c.running;
    }
    // Going offline leaves the friend where it is; it had opened its group before.
    EXPECT_TRUE(Group(100)->isExpanded());
    EXPECT_EQ(Icon(Group(100)), kIconGroupOpen);
}

TEST_F(FriendTree, AFriendInTwoGroupsChangesInBothAndTheLastIsSelected) {
    tree->collapseAll();
    w.data->CachedUser(21)->SetDisplay("Ala");
    w.SetPresence(21, true, true);
    tree->TreeUpdateFriend(21);
    EXPECT_EQ(Icon(Friend(100, 21)), kIconChatAndProgram);
    EXPECT_EQ(Icon(Friend(200, 21)), kIconChatAndProgram);
    EXPECT_EQ(Friend(100, 21)->text(0), "Ala");
    EXPECT_EQ(Friend(200, 21)->text(0), "Ala");
    EXPECT_EQ(tree->currentItem(), Friend(200, 21));
    EXPECT_TRUE(Group(100)->isExpanded());
    EXPECT_TRUE(Group(200)->isExpanded());
    EXPECT_EQ(Icon(Group(200)), kIconGroupOpen);
    EXPECT_FALSE(Group(300)->isExpanded());
}

TEST_F(FriendTree, AFriendStoredWithoutItsNameIsCompletedFromTheService) {
    std::string config = w.Config();
    auto replace = [&config](const std::string& from, const std::string& to) {
        const auto at = config.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        config.replace(at, from.size(), to);
    };
    replace("FriendsCount=\"1\" F1=\"24\" ", "FriendsCount=\"2\" F1=\"24\" F2=\"27\" ");
    replace("[QID5-Users]\r\n", "[QID5-Users]\r\nQID=\"27\" \r\n");
    w.dir.WriteFile("murmex.cfg", config);
    ASSERT_TRUE(w.engine.Connect());
    w.peer.Reply("2000 nick=\"zenek\" email=\"\" name=\"\" surname=\"\" is_cellphone=\"0\" \r\n");
    w.data->SwitchLocalUser(5);
    w.data->WaitForWorkers();
    ASSERT_NE(Friend(500, 27), nullptr);
    EXPECT_EQ(Friend(500, 27)->text(0), "zenek");
    const auto requests = w.peer.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].rfind("1110 ", 0), 0u);
}

// A message from 22 at odd and even seconds, read again, and the picture of
// its presence back.
TEST_F(FriendTree, AnUnreadMessageBlinksOnceASecondUntilItIsRead) {
    w.SetPresence(22, false, true);
    tree->TreeUpdateFriend(22);
    CMessageRecord message;
    message.SetContent("hej", 22, w.clock.now);
    const int index = w.data->AddMessage(message);
    EXPECT_EQ(tree->BlinkList(), std::vector<int>{22});

    w.clock.now = 1000000001;
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 22)), kIconBlinkOdd);
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 22)), kIconBlinkOdd) << "steps within one second keep the frame";
    w.clock.now = 1000000002;
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 22)), kIconBlinkEven);

    w.data->SetMessageRead(index);
    EXPECT_TRUE(tree->BlinkList().empty());
    EXPECT_EQ(Icon(Friend(100, 22)), kIconProgram);
    w.clock.now = 1000000003;
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 22)), kIconProgram);
}

TEST_F(FriendTree, OnlyTheFirstItemBlinksAndOnlyTheLastReadMessageStopsIt) {
    int index[2] = {0, 0};
    for (int& i : index) {
        CMessageRecord message;
        message.SetContent("hej", 21, w.clock.now);
        i = w.data->AddMessage(message);
    }
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 21)), kIconBlinkOdd);
    EXPECT_EQ(Icon(Friend(200, 21)), kIconOffline);

    w.data->SetMessageRead(index[0]);
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 21)), kIconBlinkOdd);
    w.data->SetMessageRead(index[1]);
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(100, 21)), kIconOffline);
}

TEST_F(FriendTree, ABlinkWithoutAnUnreadMessageEnds) {
    // As after a change of local user: the old user's message is not in this inbox.
    tree->TreeFriendHasNewMessage(23);
    tree->TreeFriendMessageRead(24); // not blinking: nothing happens
    tree->AdvanceBlink();
    EXPECT_TRUE(tree->BlinkList().empty());
    EXPECT_EQ(Icon(Friend(200, 23)), kIconOffline);
}

TEST_F(FriendTree, UnreadMessagesStoredBeforeTheTreeWasFilledBlinkToo) {
    CMessageRecord message;
    message.SetContent("z dysku", 24, w.clock.now);
    w.data->SetTreeView(nullptr);
    w.data->AddMessage(message);
    w.data->SetTreeView(tree.get());
    w.data->RebuildTree();
    tree->AdvanceBlink();
    EXPECT_EQ(Icon(Friend(500, 24)), kIconBlinkOdd);
}

TEST_F(FriendTree, WhatOtherThreadsTellArrivesOnTheTreesThread) {
    int groupId = 0;
    std::thread worker([&] {
        groupId = w.data->NewGroup("Z wątku");
        w.SetPresence(23, true, false);
        tree->TreeUpdateFriend(23);
        tree->TreeRemoveFriend(22);
        CMessageRecord message;
        message.SetContent("hej", 24, w.clock.now);
        w.data->AddMessage(message);
    });
    worker.join();
    // Nothing has touched the widgets yet: it all waits for the tree's thread.
    EXPECT_EQ(Group(groupId), nullptr);
    EXPECT_EQ(Icon(Friend(200, 23)), kIconOffline);
    EXPECT_NE(Friend(100, 22), nullptr);
    EXPECT_EQ(tree->BlinkList(), std::vector<int>{24}) << "the blink list takes it at once";

    ASSERT_TRUE(WaitFor([&] { return Group(groupId) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return Icon(Friend(200, 23)) == kIconChat; }));
    EXPECT_TRUE(WaitFor([&] { return Friend(100, 22) == nullptr; }));

    std::thread clearer([&] { tree->TreeClear(); });
    clearer.join();
    EXPECT_EQ(tree->topLevelItemCount(), 6);
    EXPECT_TRUE(WaitFor([&] { return tree->topLevelItemCount() == 0; }));
}

} // namespace
} // namespace murmex
