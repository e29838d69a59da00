#include "friends/friend_tree.h"

#include "friends/add_group_dialog.h"
#include "friends/tree_icons.h"
#include "friends/tree_texts.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "ui/local_text.h"
#include "ui/message_dialog.h"
#include "ui/ui_thread.h"

#include <QLabel> // the drag image, owned here
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QThread>
#include <algorithm>

namespace murmex {
namespace {

// Paints the drop highlight and hands a finished rename to the tree instead
// of writing it into the item: the data manager decides what the name is.
class CFriendDelegate final : public QStyledItemDelegate {
public:
    using Renamed = std::function<void(const QModelIndex&, const QString&)>;

    CFriendDelegate(Renamed renamed, QObject* parent)
        : QStyledItemDelegate(parent), m_renamed(std::move(renamed)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return new QLineEdit(parent);
    }

    // Only a confirmed edit comes here; Escape closes the editor without it.
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            m_renamed(index, edit->text());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(CFriendTree::kDropRole).toBool())
            option->state |= QStyle::State_Selected;
    }

private:
    Renamed m_renamed;
};

bool IsOnline(int icon) {
    return icon == kIconChatAndProgram || icon == kIconProgram || icon == kIconChat;
}

} // namespace

CFriendTree::CFriendTree(CDataManager& data, QWidget* parent)
    : CClickTree(parent), m_data(data), m_clock(&CSystemClock::Instance()) {
    SetEmptyHint(FromUtf8(kTextNoFriendsHint));
    setItemDelegate(new CFriendDelegate(
        [this](const QModelIndex& index, const QString& text) {
            GroupRenamed(itemFromIndex(index), text);
        },
        this));
    // The group's picture is the only sign of its state: keep it true however
    // the state changed (also when showing a friend opened the group).
    connect(this, &QTreeWidget::itemExpanded, this, &CFriendTree::RefreshGroupIcon);
    connect(this, &QTreeWidget::itemCollapsed, this, &CFriendTree::RefreshGroupIcon);
    Fill();
}

CFriendTree::~CFriendTree() {
    // Nothing may tell a tree that is gone about the next change.
    m_data.SetTreeView(nullptr);
}

void CFriendTree::SetClock(const IClock* clock) {
    m_clock = clock ? clock : &CSystemClock::Instance();
}

// --- what the data manager tells the tree

void CFriendTree::TreeAddGroup(int groupId) {
    OnOwnThread([this, groupId] { AddGroupItem(groupId); });
}

void CFriendTree::TreeRemoveGroup(int groupId) {
    OnOwnThread([this, groupId] { RemoveGroupItem(groupId); });
}

void CFriendTree::TreeAddFriend(int groupId, int qid) {
    OnOwnThread([this, groupId, qid] { AddFriendItem(groupId, qid); });
}

void CFriendTree::TreeRemoveFriend(int qid) {
    OnOwnThread([this, qid] { RemoveFriendItem(qid); });
}

void CFriendTree::TreeUpdateFriend(int qid) {
    OnOwnThread([this, qid] { UpdatePresence(qid); });
}

void CFriendTree::TreeClear() {
    OnOwnThread([this] { ClearItems(); });
}

void CFriendTree::TreeFriendHasNewMessage(int qid) {
    // Only the list changes here; the next blink step draws it.
    std::lock_guard lock(m_blinkMutex);
    m_blinking.push_back(qid);
}

void CFriendTree::TreeFriendMessageRead(int qid) {
    {
        std::lock_guard lock(m_blinkMutex);
        auto it = std::find(m_blinking.begin(), m_blinking.end(), qid);
        if (it == m_blinking.end())
            return;
        const bool last = std::count(m_blinking.begin(), m_blinking.end(), qid) == 1;
        // The entry may stand for several messages (one came before the tree
        // was filled): it goes only with the last unread one.
        if (last && StillBlinking(qid))
            return;
        m_blinking.erase(it);
        if (!last)
            return;
    }
    OnOwnThread([this, qid] { UpdatePresence(qid); });
}

bool CFriendTree::StillBlinking(int qid) const {
    return m_data.HasUnreadFrom(qid);
}

// --- the items

void CFriendTree::Fill() {
    const std::vector<CGroup> groups = m_data.Groups();
    for (const CGroup& group : groups)
        AddGroupItem(group.Id());
    for (const CGroup& group : groups)
        for (int qid : group.Members())
            AddFriendItem(group.Id(), qid);
}

void CFriendTree::AddGroupItem(int groupId) {
    if (GroupItem(groupId))
        return;
    const std::optional<CGroup> group = m_data.Group(groupId);
    if (!group)
        return;
    auto* item = new QTreeWidgetItem(this);
    SetItemValue(item, groupId);
    item->setText(0, FromLocal(group->Name()));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    SetItemIcon(item, kIconGroupClosed);
}

void CFriendTree::RemoveGroupItem(int groupId) {
    delete GroupItem(groupId);
}

void CFriendTree::AddFriendItem(int groupId, int qid) {
    // First, while no item is held: completing the record may ask the server,
    // and other changes to the tree run while it waits.
    CDataManager::User user = m_data.CachedUser(qid);
    if (!user)
        user = m_data.UserRecord(qid);
    else if (!user->HasBrief())
        user->LoadBrief(m_data.Engine()); // a stored line that lacked the nick
    QTreeWidgetItem* group = GroupItem(groupId);
    if (!group || FriendItem(groupId, qid))
        return;
    // Made whole before it joins the tree, so the view hears of it once.
    auto* item = new QTreeWidgetItem;
    SetItemValue(item, qid);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    const bool online = ShowFriend(item, qid, *user);
    group->addChild(item);
    // Only the new item: the friend's other items (filed twice) show the same
    // record already, and looking them up for each friend made filling a tree
    // of hundreds of friends quadratic.
    if (online)
        Reveal(item);
    // Messages read in before the tree was filled blink as well.
    if (m_data.HasUnreadFrom(qid)) {
        std::lock_guard lock(m_blinkMutex);
        if (std::find(m_blinking.begin(), m_blinking.end(), qid) == m_blinking.end())
            m_blinking.push_back(qid);
    }
}

void CFriendTree::RemoveFriendItem(int qid) {
    const std::vector<QTreeWidgetItem*> items = FriendItems(qid);
    if (items.empty())
        return;
    // The item that goes is the one whose group no longer lists the friend:
    // a friend filed twice keeps the item of the group it is still in.
    QTreeWidgetItem* gone = items.front();
    for (QTreeWidgetItem* item : items) {
        const std::optional<CGroup> group = m_data.Group(ItemValue(item->parent()));
        if (!group || !group->HasMember(qid)) {
            gone = item;
            break;
        }
    }
    QTreeWidgetItem* group = gone->parent();
    delete gone;
    if (group->childCount() == 0)
        group->setExpanded(false);
    RefreshGroupIcons();
}

void CFriendTree::ClearItems() {
    SetDropHighlight(nullptr);
    clear();
}

void CFriendTree::UpdatePresence(int qid) {
    // A message sender who is no friend has nothing to update (and nothing
    // to ask the server about).
    if (FriendItems(qid).empty())
        return;
    const CDataManager::User user = m_data.UserRecord(qid);
    for (QTreeWidgetItem* item : FriendItems(qid))
        if (ShowFriend(item, qid, *user))
            Reveal(item);
    RefreshGroupIcons();
}

bool CFriendTree::ShowFriend(QTreeWidgetItem* item, int qid, const CUserRecord& user) {
    item->setText(0, FromLocal(user.DisplayName()));
    const bool contact = CDataManager::IsLocalContactId(qid) || user.IsLocalContact();
    const int icon =
        contact ? kIconLocalContact : PresenceIcon(user.InChat(), user.RunningProgram());
    SetItemIcon(item, icon);
    return IsOnline(icon); // an offline friend stays where it is
}

void CFriendTree::Reveal(QTreeWidgetItem* item) {
    // Opening the group redraws its picture (itemExpanded).
    item->parent()->setExpanded(true);
    scrollToItem(item);
    setCurrentItem(item);
}

void CFriendTree::RefreshGroupIcons() {
    for (int i = 0; i < topLevelItemCount(); ++i)
        RefreshGroupIcon(topLevelItem(i));
}

void CFriendTree::RefreshGroupIcon(QTreeWidgetItem* item) {
    if (item && !item->parent())
        SetItemIcon(item, item->isExpanded() ? kIconGroupOpen : kIconGroupClosed);
}

QTreeWidgetItem* CFriendTree::GroupItem(int groupId) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (ItemValue(topLevelItem(i)) == groupId)
            return topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* CFriendTree::FriendItem(int groupId, int qid) const {
    QTreeWidgetItem* group = GroupItem(groupId);
    if (!group)
        return nullptr;
    for (int i = 0; i < group->childCount(); ++i)
        if (ItemValue(group->child(i)) == qid)
            return group->child(i);
    return nullptr;
}

std::vector<QTreeWidgetItem*> CFriendTree::FriendItems(int qid) const {
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = topLevelItem(i);
        for (int j = 0; j < group->childCount(); ++j)
            if (ItemValue(group->child(j)) == qid)
                items.push_back(group->child(j));
    }
    return items;
}

CFriendTree::SItemRef CFriendTree::RefOf(const QTreeWidgetItem* item) const {
    if (!item)
        return {};
    if (item->parent())
        return {ItemValue(item->parent()), ItemValue(item)};
    return {ItemValue(item), 0};
}

QTreeWidgetItem* CFriendTree::Resolve(const SItemRef& ref) const {
    return ref.qid != 0 ? FriendItem(ref.groupId, ref.qid) : GroupItem(ref.groupId);
}

// --- blinking

std::vector<int> CFriendTree::BlinkList() const {
    std::lock_guard lock(m_blinkMutex);
    return m_blinking;
}

void CFriendTree::AdvanceBlink() {
    if (QThread::currentThread() != thread()) {
        RunOnUiThread(this, [this] { AdvanceBlink(); });
        return;
    }
    std::vector<int> blinking;
    std::vector<int> finished;
    {
        std::lock_guard lock(m_blinkMutex);
        // An entry whose messages are all read (or gone with a change of the
        // local user) would blink for ever: it ends here.
        for (int qid : m_blinking)
            if (std::find(finished.begin(), finished.end(), qid) == finished.end() &&
                !StillBlinking(qid))
                finished.push_back(qid);
        std::erase_if(m_blinking, [&finished](int qid) {
            return std::find(finished.begin(), finished.end(), qid) != finished.end();
        });
        blinking = m_blinking;
    }
    for (int qid : finished)
        UpdatePresence(qid);
    // The step runs five times a second; the picture changes with the second.
    const int frame = m_clock->WallSeconds() % 2 != 0 ? kIconBlinkOdd : kIconBlinkEven;
    for (int qid : blinking) {
        const std::vector<QTreeWidgetItem*> items = FriendItems(qid);
        if (!items.empty())
            SetItemIcon(items.front(), frame);
    }
}

// --- clicks and menus

void CFriendTree::OnMenuDue(QTreeWidgetItem* item, const QPoint& globalPos) {
    if (!item)
        return;
    const SItemRef target = RefOf(item);
    QMenu menu(this);
    auto add = [&menu](std::string_view text, int command) {
        QAction* action = menu.addAction(FromUtf8(text));
        action->setData(command);
        return action;
    };
    if (target.qid != 0) {
        menu.setDefaultAction(add(kTextOpenWindow, kCmdOpenFriend));
        menu.addSeparator();
        add(kTextRemove, kCmdRemoveFriend);
    } else {
        menu.setDefaultAction(
            add(item->isExpanded() ? kTextCollapseGroup : kTextExpandGroup, kCmdToggleGroup));
        menu.addSeparator();
        add(kTextAddFriend, kCmdAddFriend);
        add(kTextAddGroup, kCmdAddGroup);
        menu.addSeparator();
        add(kTextRemove, kCmdRemoveGroup);
        add(kTextRename, kCmdRenameGroup);
    }
    // `item` may be gone once the menu closes: the target is kept by value.
    if (QAction* chosen = RunMenu(menu, globalPos))
        RunCommand(chosen->data().toInt(), target.groupId, target.qid);
}

void CFriendTree::RunCommand(int command, int groupId, int qid) {
    switch (command) {
    case kCmdOpenFriend:
        emit OpenFriendDetails(qid);
        break;
    case kCmdRemoveFriend:
        // From the group the user clicked in, which may not be its first one.
        if (m_data.RemoveFriend(qid, groupId) != CDataManager::kDone)
            ShowMessage(kTextCannotDelFriend);
        break;
    case kCmdToggleGroup:
        if (QTreeWidgetItem* group = GroupItem(groupId))
            group->setExpanded(!group->isExpanded());
        RefreshGroupIcons();
        break;
    case kCmdAddFriend:
        emit AddFriendRequested(groupId);
        break;
    case kCmdAddGroup:
        AddGroup();
        break;
    case kCmdRemoveGroup:
        m_data.DeleteGroup(groupId);
        break;
    case kCmdRenameGroup:
        if (QTreeWidgetItem* group = GroupItem(groupId)) {
            setCurrentItem(group);
            BeginRename();
        }
        break;
    default:
        break;
    }
}

void CFriendTree::OnDoubleClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    if (item->parent()) {
        FriendAction(ItemValue(item));
        return;
    }
    item->setExpanded(!item->isExpanded());
    RefreshGroupIcons();
}

void CFriendTree::FriendAction(int qid) {
    if (m_data.HasUnreadFrom(qid)) {
        emit OpenReadWindow(m_data.FirstUnreadFrom(qid));
        return;
    }
    if (!IsConnected()) {
        emit OpenFriendDetails(qid);
        return;
    }
    const CDataManager::User user = m_data.UserRecord(qid);
    const bool contact = CDataManager::IsLocalContactId(qid) || user->IsLocalContact();
    if (!contact)
        emit OpenMessageWindow(qid);
    else if (user->CanReceiveSms())
        emit OpenSmsWindow(qid);
    else
        emit OpenFriendDetails(qid);
}

void CFriendTree::AddGroup() {
    // On the heap: the tree may go while the dialog is up, and takes it along.
    QPointer<CAddGroupDlg> dialog = new CAddGroupDlg(this);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QString name = dialog ? dialog->GroupName() : QString();
    delete dialog.data();
    if (!accepted)
        return;
    const int id = m_data.NewGroup(ToLocal(name));
    if (QTreeWidgetItem* group = GroupItem(id)) {
        setCurrentItem(group);
        scrollToItem(group);
    }
}

void CFriendTree::BeginRename() {
    QTreeWidgetItem* item = currentItem();
    // Friends are named by the service or their details, never here.
    if (!item || item->parent())
        return;
    editItem(item, 0);
}

void CFriendTree::GroupRenamed(QTreeWidgetItem* item, const QString& text) {
    if (!item || item->parent() || text.isEmpty())
        return; // an emptied name keeps the old one
    const std::string name = ToLocal(text);
    m_data.RenameGroup(ItemValue(item), name);
    // What is stored, so that a character the files cannot hold shows as such.
    item->setText(0, FromLocal(name));
}

void CFriendTree::ShowMessage(std::string_view textUtf8) {
    if (m_messageBox)
        m_messageBox->ShowMessage(textUtf8);
    else
        CMessageDialog::Show(window(), FromUtf8(textUtf8));
}

bool CFriendTree::ShowsEmptyHint() const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->childCount() > 0)
            return false;
    return true;
}

} // namespace murmex
