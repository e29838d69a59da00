#pragma once

#include "friends/friend_tree.h"
#include "tree_world.h"

#include <gtest/gtest.h>
#include <memory>

namespace murmex::test {

// The friend tree over CTreeWorld's data, shown, every group open, its menus
// and message boxes recorded.
class FriendTree : public ::testing::Test {
protected:
    void SetUp() override {
        tree = std::make_unique<CFriendTree>(*w.data, nullptr);
        w.data->SetTreeView(tree.get());
        tree->SetMessageBox(&box);
        tree->SetClock(&w.clock);
        tree->SetMenuRunner(menus.Runner());
        tree->resize(260, 420);
        tree->show();
        tree->expandAll();
    }

    QTreeWidgetItem* Friend(int groupId, int qid) { return tree->FriendItem(groupId, qid); }
    QTreeWidgetItem* Group(int groupId) { return tree->GroupItem(groupId); }
    QPoint At(QTreeWidgetItem* item) { return CentreOf(*tree, item); }
    static int Icon(QTreeWidgetItem* item) { return CClickTree::ItemIcon(item); }

    CTreeWorld w;
    CFakeMessageBox box;
    CMenuRecorder menus;
    std::unique_ptr<CFriendTree> tree;
};

} // namespace murmex::test
