// Changing the friends from the tree: dragging friends between groups, the
// group and friend menu commands, renaming in place.
#include "friends/add_group_dialog.h"
#include "friends/tree_icons.h"
#include "protocol/command_codes.h"
#include "tree_fixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace murmex {
namespace {

using test::FriendTree;
using test::WaitFor;

const std::string kDropOnFriend =
    "Możesz skopiować lub przesunąć znajomego jedynie do innej grupy.";
const std::string kDropOnSameGroup =
    "Nie możesz przesunąć ani skopiować znajomego do tej samej grupy.";

class FriendTreeEdit : public FriendTree {
protected:
    // Press on one item, leave the drag distance behind, move onto the other
    // (none: empty space) and let go there.
    void Drag(Qt::MouseButton button, QTreeWidgetItem* from, QTreeWidgetItem* to) {
        QWidget* viewport = tree->viewport();
        const QPoint start = At(from);
        const QPoint end = to ? At(to) : test::EmptySpace(*tree);
        QTest::mousePress(viewport, button, {}, start);
        QTest::mouseMove(viewport, start + QPoint(QApplication::startDragDistance() + 3, 0));
        QTest::mouseMove(viewport, end);
        QTest::mouseRelease(viewport, button, {}, end);
    }
    // Opens the item's menu through the click mode and picks the command.
    void Choose(QTreeWidgetItem* item, int command) {
        const std::size_t before = menus.menus.size();
        menus.choose = command;
        test::Click(*tree, Qt::LeftButton, At(item));
        ASSERT_TRUE(WaitFor([&] { return menus.menus.size() > before; }));
    }
    QLineEdit* Editor() { return tree->viewport()->findChild<QLineEdit*>(); }
    // Ends the edit with the key and waits until the editor has gone (the view
    // commits a confirmed edit after the key has been handled).
    void EndEdit(QLineEdit* editor, Qt::Key key) {
        QPointer<QLineEdit> open(editor);
        QTest::keyClick(editor, key);
        ASSERT_TRUE(WaitFor([&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return open.isNull();
        }));
    }
};

TEST_F(FriendTreeEdit, InvalidDropsAreRefusedAndChangeNothing) {
    const std::string before = w.Config();
    Drag(Qt::LeftButton, Friend(100, 22), Friend(100, 21));
    Drag(Qt::LeftButton, Friend(100, 22), Friend(100, 22));
    Drag(Qt::LeftButton, Friend(100, 22), Friend(200, 23));
    Drag(Qt::LeftButton, Friend(100, 22), Group(100));
    EXPECT_EQ(box.Shown(), (std::vector<std::string>{kDropOnFriend, kDropOnFriend, kDropOnFriend,
                                                     kDropOnSameGroup}));
    // A group does not move, and a drop on empty space without a target is no drop.
    Drag(Qt::LeftButton, Group(200), Group(300));
    EXPECT_EQ(box.Shown().size(), 4u);
    EXPECT_EQ(w.Members(100), (std::vector<int>{21, 22}));
    EXPECT_EQ(w.Members(300), std::vector<int>{});
    EXPECT_EQ(w.Config(), before);
    EXPECT_EQ(tree->topLevelItem(0), Group(100)) << "groups keep their order";
}

TEST_F(FriendTreeEdit, DroppingOnAnotherGroupMovesTheFriendAndSaves) {
    Drag(Qt::LeftButton, Friend(100, 22), Group(300));
    EXPECT_TRUE(box.Shown().empty());
    EXPECT_EQ(w.Members(100), std::vector<int>{21});
    EXPECT_EQ(w.Members(300), std::vector<int>{22});
    EXPECT_EQ(Friend(100, 22), nullptr);
    ASSERT_NE(Friend(300, 22), nullptr);
    EXPECT_EQ(Friend(300, 22)->text(0), "bolek");
    EXPECT_TRUE(w.Has("GID=\"300\" Name=\"Pusta\" FriendsCount=\"1\" F1=\"22\" "));
    EXPECT_TRUE(w.Has("GID=\"100\" Name=\"Praca\" FriendsCount=\"1\" F1=\"21\" "));
    EXPECT_TRUE(w.peer.Requests().empty()) << "groups are local: the service hears nothing";

    // The right button moves as well.
    Drag(Qt::RightButton, Friend(500, 24), Group(100));
    EXPECT_EQ(w.Members(100), (std::vector<int>{21, 24}));
    EXPECT_EQ(w.Members(500), std::vector<int>{});
    EXPECT_FALSE(Group(500)->isExpanded()) << "a group left empty is closed";
    EXPECT_EQ(Icon(Group(500)), kIconGroupClosed);
}

TEST_F(FriendTreeEdit, ADragNeverAlsoCountsAsAClick) {
    Drag(Qt::LeftButton, Friend(100, 22), Group(300));
    EXPECT_FALSE(tree->IsMenuPending());
}

TEST_F(FriendTreeEdit, RenamingInPlaceSavesOnlyARealName) {
    QTreeWidgetItem* group = Group(100);
    Choose(group, CFriendTree::kCmdRenameGroup);
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    EndEdit(editor, Qt::Key_Return);
    EXPECT_EQ(group->text(0), "Praca") << "an emptied name keeps the old one";
    EXPECT_EQ(w.data->Group(100)->Name(), "Praca");

    tree->setCurrentItem(group);
    tree->BeginRename();
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->setText("Biuro");
    EndEdit(editor, Qt::Key_Escape);
    EXPECT_EQ(group->text(0), "Praca");
    EXPECT_EQ(w.data->Group(100)->Name(), "Praca") << "a cancelled edit keeps it too";

    tree->BeginRename();
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->setText("Żółta <b>grupa</b>");
    EndEdit(editor, Qt::Key_Return);
    EXPECT_EQ(group->text(0), "Żółta <b>grupa</b>");
    EXPECT_EQ(w.data->Group(100)->Name(), "\xAF\xF3\xB3ta <b>grupa</b>")
        << "stored in Windows-1250";
    EXPECT_TRUE(w.Has("GID=\"100\" Name=\"\xAF\xF3\xB3ta <b>grupa</b>\""));

    // A friend is never renamed here.
    tree->setCurrentItem(Friend(100, 22));
    tree->BeginRename();
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(FriendTreeEdit, DeletingAGroupRemovesItsFriendsButNotTheirOtherItems) {
    Choose(Group(200), CFriendTree::kCmdRemoveGroup);
    EXPECT_EQ(Group(200), nullptr);
    EXPECT_FALSE(w.data->Group(200));
    EXPECT_FALSE(w.data->IsFriend(23));
    EXPECT_FALSE(w.data->IsFriend(21));
    EXPECT_EQ(tree->FriendItems(23).size(), 0u);
    // Friend 21 is still filed under "Praca": its item there stays.
    EXPECT_EQ(w.Members(100), (std::vector<int>{21, 22}));
    EXPECT_NE(Friend(100, 21), nullptr);
    EXPECT_FALSE(w.Has("GID=\"200\""));
    EXPECT_TRUE(box.Shown().empty()) << "no confirmation, no message";
}

TEST_F(FriendTreeEdit, RemovingAFriendTellsTheServiceAndClosesAGroupLeftEmpty) {
    ASSERT_TRUE(w.engine.Connect());
    w.engine.SetLoggedIn(true);
    Choose(Friend(500, 24), CFriendTree::kCmdRemoveFriend);
    EXPECT_EQ(Friend(500, 24), nullptr);
    EXPECT_FALSE(w.data->IsFriend(24));
    EXPECT_FALSE(Group(500)->isExpanded());
    EXPECT_EQ(Icon(Group(500)), kIconGroupClosed);
    const auto requests = w.peer.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].rfind(std::to_string(CMD_REMOVE_FRIEND) + " ", 0), 0u);
    EXPECT_NE(requests[1].find("24"), std::string::npos);
    EXPECT_TRUE(box.Shown().empty());

    // From the group it was clicked in, though it is filed in "Praca" first.
    Choose(Friend(200, 21), CFriendTree::kCmdRemoveFriend);
    EXPECT_EQ(w.Members(200), std::vector<int>{23});
    EXPECT_EQ(w.Members(100), (std::vector<int>{21, 22}));
    EXPECT_EQ(Friend(200, 21), nullptr);
    EXPECT_NE(Friend(100, 21), nullptr);

    // A removal the data manager refuses is reported.
    tree->RunCommand(CFriendTree::kCmdRemoveFriend, 300, 22);
    EXPECT_EQ(box.Shown(), std::vector<std::string>{"Nie mogę usunąć znajomego."});
}

TEST_F(FriendTreeEdit, AddingAGroupAsksItsNameAndSelectsIt) {
    // Answers the dialog as soon as the menu command has opened it.
    auto answer = [this](const QString& typed, bool ok) {
        auto* poll = new QTimer(tree.get());
        QObject::connect(poll, &QTimer::timeout, [poll, typed, ok] {
            auto* dialog = qobject_cast<CAddGroupDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            poll->deleteLater();
            dialog->NameEdit()->setText(typed);
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
        poll->start(5);
    };
    answer("Nie ta", false);
    Choose(Group(100), CFriendTree::kCmdAddGroup);
    EXPECT_EQ(tree->topLevelItemCount(), 5);

    answer("Sąsiedzi z bloku numer czterdzieści dwa", true);
    Choose(Group(100), CFriendTree::kCmdAddGroup);
    ASSERT_EQ(tree->topLevelItemCount(), 6);
    QTreeWidgetItem* added = tree->topLevelItem(5);
    EXPECT_EQ(added->text(0), "Sąsiedzi z bloku numer czterdzie") << "32 characters at most";
    EXPECT_EQ(tree->currentItem(), added);
    EXPECT_EQ(Icon(added), kIconGroupClosed);
    const int id = CClickTree::ItemValue(added);
    EXPECT_GT(id, 0);
    EXPECT_LT(id, 100000000);
    EXPECT_TRUE(w.Has("GID=\"" + std::to_string(id) + "\" Name=\"S\xB9siedzi"));
}

TEST_F(FriendTreeEdit, TheOtherGroupCommands) {
    QSignalSpy addFriend(tree.get(), &CFriendTree::AddFriendRequested);
    QSignalSpy details(tree.get(), &CFriendTree::OpenFriendDetails);
    Choose(Group(300), CFriendTree::kCmdAddFriend);
    ASSERT_EQ(addFriend.count(), 1);
    EXPECT_EQ(addFriend.at(0).at(0).toInt(), 300);

    Choose(Friend(100, 22), CFriendTree::kCmdOpenFriend);
    ASSERT_EQ(details.count(), 1);
    EXPECT_EQ(details.at(0).at(0).toInt(), 22);

    Choose(Group(100), CFriendTree::kCmdToggleGroup);
    EXPECT_FALSE(Group(100)->isExpanded());
    EXPECT_EQ(Icon(Group(100)), kIconGroupClosed);
}

} // namespace
} // namespace murmex
