#pragma once

#include "friends/click_tree.h"
#include "ports/ui_interfaces.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QLabel;

namespace murmex {

class CDataManager;
class CUserRecord;
class IClock;

// The local user's groups with their friends and each friend's presence.
// Shows and forwards: the data belongs to the data manager, which tells the
// tree about every change through IFriendTreeView. Those calls may come from
// worker threads; they are carried out on the tree's own thread.
//
// Friends move between groups by dragging; groups are added, renamed and
// deleted from the group menu; a friend with an unread message blinks.
class CFriendTree : public CClickTree, public IFriendTreeView {
    Q_OBJECT

public:
    // The menu commands, by the numbers the program has always used.
    // Marks the item under a drag as the place the friend would land.
    static constexpr int kDropRole = Qt::UserRole + 2;

    enum ECommand : int {
        kCmdRemoveFriend = 32778,
        kCmdOpenFriend = 32782,
        kCmdToggleGroup = 32783,
        kCmdAddFriend = 32784,
        kCmdAddGroup = 32785,
        kCmdRemoveGroup = 32786,
        kCmdRenameGroup = 32789,
    };

    // Fills itself from the data manager's current groups. The owner registers
    // it with SetTreeView; it unregisters itself when destroyed.
    CFriendTree(CDataManager& data, QWidget* parent);
    ~CFriendTree() override;

    // Where the menu commands' message boxes go; none shows the program's own box.
    void SetMessageBox(IMessageBox* box) { m_messageBox = box; }
    // The clock the blinking follows; none is the system clock.
    void SetClock(const IClock* clock);

    // --- IFriendTreeView (any thread)
    void TreeAddGroup(int groupId) override;
    void TreeRemoveGroup(int groupId) override;
    void TreeAddFriend(int groupId, int qid) override;
    void TreeRemoveFriend(int qid) override;
    void TreeUpdateFriend(int qid) override;
    void TreeClear() override;
    // The hint shows while no group holds a friend.
    bool ShowsEmptyHint() const override;
    void TreeFriendHasNewMessage(int qid) override;
    void TreeFriendMessageRead(int qid) override;

    // One step of the unread-message blink: called on every 200 ms tick.
    void AdvanceBlink();
    // Starts renaming the selected item in place; only a group can be renamed.
    void BeginRename();
    // Runs a menu command on a group (kCmdToggleGroup ... kCmdRenameGroup) or
    // a friend filed in a group (kCmdOpenFriend, kCmdRemoveFriend).
    void RunCommand(int command, int groupId, int qid);

    QTreeWidgetItem* GroupItem(int groupId) const;
    // The friend's item under that group; none when not shown there.
    QTreeWidgetItem* FriendItem(int groupId, int qid) const;
    // Every item of the friend, in group order.
    std::vector<QTreeWidgetItem*> FriendItems(int qid) const;
    // The friends waiting in the blink list, with repeats (one per message).
    std::vector<int> BlinkList() const;

signals:
    // Commands whose windows belong to the main bar.
    void OpenMessageWindow(int qid);
    void OpenSmsWindow(int qid);
    void OpenFriendDetails(int qid);
    void EnterFriendChannel(int qid);
    void AddFriendRequested(int groupId);
    // The read window on one message of the inbox (its index).
    void OpenReadWindow(int messageIndex);

protected:
    void OnMenuDue(QTreeWidgetItem* item, const QPoint& globalPos) override;
    void OnDoubleClick(QTreeWidgetItem* item) override;
    bool OnDragStart(QTreeWidgetItem* item, Qt::MouseButton button,
                     const QPoint& globalPos) override;
    void OnDragMove(const QPoint& viewportPos, const QPoint& globalPos) override;
    void OnDragEnd(bool dropped) override;

private:
    // An item by what it shows, so that a reference outlives the item safely:
    // a friend is filed at most once per group.
    struct SItemRef {
        int groupId = 0;
        int qid = 0; // 0 for the group's own item
    };

    void AddGroupItem(int groupId);
    void AddFriendItem(int groupId, int qid);
    void RemoveFriendItem(int qid);
    void RemoveGroupItem(int groupId);
    void ClearItems();
    void UpdatePresence(int qid);
    // The friend's name and presence on one of its items; true when online.
    bool ShowFriend(QTreeWidgetItem* item, int qid, const CUserRecord& user);
    // Opens the item's group and brings the item into view (a friend online).
    void Reveal(QTreeWidgetItem* item);
    void RefreshGroupIcons();
    void RefreshGroupIcon(QTreeWidgetItem* item);
    void Fill();
    void FriendAction(int qid);
    void AddGroup();
    void GroupRenamed(QTreeWidgetItem* item, const QString& text);
    void ShowMessage(std::string_view textUtf8);
    void SetDropHighlight(QTreeWidgetItem* item);
    SItemRef RefOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* Resolve(const SItemRef& ref) const;
    bool StillBlinking(int qid) const;

    CDataManager& m_data;
    IMessageBox* m_messageBox = nullptr;
    const IClock* m_clock = nullptr;

    // Filled from the message fetch's thread, read by the heartbeat's tick.
    mutable std::mutex m_blinkMutex;
    std::vector<int> m_blinking;

    // The drag: the friend being dragged and the last item it was over.
    SItemRef m_dragged;
    SItemRef m_dropTarget;
    bool m_hasDropTarget = false;
    std::unique_ptr<QLabel> m_dragImage;
};

} // namespace murmex
