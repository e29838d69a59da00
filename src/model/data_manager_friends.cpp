// The data manager's friends, groups and known users.
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/model_texts.h"
#include "model/random_id.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"

#include <algorithm>

namespace murmex {
namespace {

constexpr int kGroupIdRange = 100000000;
constexpr int kLocalContactBase = 1000000000;

CGroup* FindGroup(std::vector<CGroup>& groups, int id) {
    auto it =
        std::find_if(groups.begin(), groups.end(), [id](const CGroup& g) { return g.Id() == id; });
    return it == groups.end() ? nullptr : &*it;
}

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

CDataManager::User CDataManager::CachedUser(int qid) const {
    std::lock_guard lock(m_mutex);
    return FindUserLocked(qid);
}

CDataManager::User CDataManager::FindUserLocked(int qid) const {
    if (!m_userIndexBuilt) {
        m_userIndex.clear();
        m_userIndex.reserve(m_users.size());
        for (std::size_t i = 0; i < m_users.size(); ++i)
            m_userIndex.emplace(m_users[i]->Qid(), i); // the first of a QID wins
        m_userIndexBuilt = true;
    }
    const auto it = m_userIndex.find(qid);
    return it == m_userIndex.end() ? nullptr : m_users[it->second];
}

void CDataManager::AppendUserLocked(User user) {
    // A built index stays so: a search adding its hundred users one by one
    // must not rebuild it for each.
    if (m_userIndexBuilt)
        m_userIndex.emplace(user->Qid(), m_users.size());
    m_users.push_back(std::move(user));
}

CDataManager::User CDataManager::UserRecord(int qid) {
    if (User cached = CachedUser(qid))
        return cached;
    auto user = std::make_shared<CUserRecord>(qid);
    if (!user->LoadBrief(m_engine)) {
        // Not cached: the next call asks the server again.
        const std::string unknown = Utf8ToWin1250(texts::kUnknownUser);
        user->SetNick(unknown);
        user->SetEmail(unknown);
        return user;
    }
    user->LoadDetails(m_engine);
    {
        std::lock_guard lock(m_mutex);
        if (User other = FindUserLocked(qid))
            return other; // someone else cached it meanwhile
        AppendUserLocked(user);
    }
    Save();
    // A friend's item made while the record could not be had shows "[nieznany]":
    // now that the record is known the item can show the friend's name.
    if (IFriendTreeView* tree = m_tree; tree && IsFriend(qid))
        tree->TreeUpdateFriend(qid);
    return user;
}

int CDataManager::AddFriend(int qid, int groupId) {
    {
        std::lock_guard lock(m_mutex);
        if (Contains(m_friends, qid))
            return kAlreadyFriend;
        if (!FindGroup(m_groups, groupId))
            return kNoSuchGroup;
    }
    // The local change goes on whatever the server says.
    UserRecord(qid)->AddAsFriend(m_engine);
    {
        std::lock_guard lock(m_mutex);
        CGroup* group = FindGroup(m_groups, groupId);
        if (!group)
            return kNoSuchGroup;
        if (!Contains(m_friends, qid))
            m_friends.push_back(qid);
        group->AddMember(qid);
    }
    if (IFriendTreeView* tree = m_tree)
        tree->TreeAddFriend(groupId, qid);
    Save();
    return kDone;
}

int CDataManager::RemoveFriend(int qid, int groupId) {
    if (groupId == 0)
        return UserRecord(qid)->RemoveAsFriend(m_engine) ? 1 : 0;
    {
        std::lock_guard lock(m_mutex);
        CGroup* group = FindGroup(m_groups, groupId);
        if (!group)
            return kNoSuchGroup;
        if (!group->HasMember(qid))
            return kNotInGroup;
        group->RemoveMember(qid);
    }
    User user = UserRecord(qid);
    // Ids of local contacts are ours; the server never hears of them.
    const bool localContact = user->IsLocalContact() || IsLocalContactId(qid);
    if (!localContact)
        user->RemoveAsFriend(m_engine);
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find(m_friends.begin(), m_friends.end(), qid);
        if (it != m_friends.end())
            m_friends.erase(it);
        // A contact still filed in another group keeps its record (its only copy).
        const bool stillFiled = std::any_of(m_groups.begin(), m_groups.end(),
                                            [qid](const CGroup& g) { return g.HasMember(qid); });
        if (localContact && !stillFiled) {
            std::erase_if(m_users, [qid](const User& u) { return u->Qid() == qid; });
            ForgetUserIndexLocked();
        }
    }
    if (IFriendTreeView* tree = m_tree)
        tree->TreeRemoveFriend(qid);
    Save();
    return kDone;
}

int CDataManager::MoveFriend(int qid, int toGroupId) {
    {
        std::lock_guard lock(m_mutex);
        CGroup* to = FindGroup(m_groups, toGroupId);
        if (!to)
            return kNoSuchGroup;
        auto from = std::find_if(m_groups.begin(), m_groups.end(),
                                 [qid](const CGroup& g) { return g.HasMember(qid); });
        if (from == m_groups.end())
            return kNotInGroup;
        if (from->Id() == toGroupId)
            return kDone;
        from->RemoveMember(qid);
        to->AddMember(qid);
    }
    if (IFriendTreeView* tree = m_tree) {
        tree->TreeRemoveFriend(qid);
        tree->TreeAddFriend(toGroupId, qid);
    }
    Save();
    return kDone;
}

int CDataManager::NewGroup(const std::string& name) {
    int id = 0;
    {
        std::lock_guard lock(m_mutex);
        // 0 means "no group" to GroupOf and RemoveFriend, so it is never an id.
        id = DrawFreeId(m_clock.WallSeconds(), 0, kGroupIdRange, [this](int candidate) {
            return candidate == 0 || FindGroup(m_groups, candidate);
        });
        m_groups.emplace_back(id, name);
    }
    if (IFriendTreeView* tree = m_tree)
        tree->TreeAddGroup(id);
    Save();
    return id;
}

void CDataManager::DeleteGroup(int groupId) {
    std::optional<CGroup> group = Group(groupId);
    if (!group)
        return;
    for (int qid : group->Members())
        RemoveFriend(qid, groupId);
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_groups.begin(), m_groups.end(),
                               [groupId](const CGroup& g) { return g.Id() == groupId; });
        if (it != m_groups.end())
            m_groups.erase(it);
    }
    if (IFriendTreeView* tree = m_tree)
        tree->TreeRemoveGroup(groupId);
    Save();
}

bool CDataManager::RenameGroup(int groupId, const std::string& name) {
    bool found = false;
    {
        std::lock_guard lock(m_mutex);
        if (CGroup* group = FindGroup(m_groups, groupId)) {
            group->SetName(name);
            found = true;
        }
    }
    Save();
    return found;
}

int CDataManager::AddLocalContact(const CUserRecord& record, int groupId) {
    auto user = std::make_shared<CUserRecord>(record);
    // Only a record marked as a contact is written with its phone data.
    user->SetLocalContact(true);
    int id = 0;
    {
        std::lock_guard lock(m_mutex);
        CGroup* group = FindGroup(m_groups, groupId);
        if (!group)
            return kNoSuchGroup;
        auto taken = [this](int candidate) {
            return FindUserLocked(candidate) != nullptr ||
                   std::any_of(m_groups.begin(), m_groups.end(),
                               [candidate](const CGroup& g) { return g.HasMember(candidate); });
        };
        id = DrawFreeId(m_clock.WallSeconds(), kLocalContactBase, kLocalContactBase, taken);
        user->SetQid(id);
        AppendUserLocked(user);
        group->AddMember(id);
    }
    if (IFriendTreeView* tree = m_tree)
        tree->TreeAddFriend(groupId, id);
    Save();
    return id;
}

int CDataManager::GroupOf(int qid) const {
    std::lock_guard lock(m_mutex);
    for (const auto& group : m_groups)
        if (group.HasMember(qid))
            return group.Id();
    return 0;
}

bool CDataManager::IsFriend(int qid) const {
    std::lock_guard lock(m_mutex);
    return Contains(m_friends, qid);
}

std::vector<int> CDataManager::Friends() const {
    std::lock_guard lock(m_mutex);
    return m_friends;
}

std::vector<CGroup> CDataManager::Groups() const {
    std::lock_guard lock(m_mutex);
    return m_groups;
}

std::optional<CGroup> CDataManager::Group(int groupId) const {
    std::lock_guard lock(m_mutex);
    for (const auto& group : m_groups)
        if (group.Id() == groupId)
            return group;
    return std::nullopt;
}

bool CDataManager::ImportServerFriends() {
    if (!m_engine.IsLoggedIn() && !QuietLogin())
        return false;
    NewGroup(Utf8ToWin1250(texts::kImportGroupName));
    m_channels.AddFavouriteByName(Utf8ToWin1250(texts::kImportChannelName));
    CParamRecord r;
    if (!m_engine.ExecuteCommand(CMD_GET_FRIENDS, &r))
        return false;
    std::vector<int> friends;
    r.GetIntList("friends", friends);
    int firstGroup = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_groups.empty())
            return false;
        firstGroup = m_groups.front().Id();
    }
    for (int qid : friends)
        AddFriend(qid, firstGroup);
    return true;
}

int CDataManager::NextPendingNewFriend() {
    std::lock_guard lock(m_mutex);
    if (m_pendingNew.empty())
        return 0;
    const int qid = m_pendingNew.front();
    m_pendingNew.erase(m_pendingNew.begin());
    return qid;
}

int CDataManager::NextPendingVanishedFriend() {
    std::lock_guard lock(m_mutex);
    if (m_pendingVanished.empty())
        return 0;
    const int qid = m_pendingVanished.front();
    m_pendingVanished.erase(m_pendingVanished.begin());
    return qid;
}

bool CDataManager::ReAddFriend(int qid) {
    return UserRecord(qid)->AddAsFriend(m_engine);
}

std::vector<SChoice> CDataManager::FriendsChoice() {
    std::vector<SChoice> choices;
    for (int qid : Friends())
        choices.push_back({qid, UserRecord(qid)->DisplayName()});
    return choices;
}

std::vector<SChoice> CDataManager::GroupsChoice() const {
    std::vector<SChoice> choices;
    for (const auto& group : Groups())
        choices.push_back({group.Id(), group.Name()});
    return choices;
}

void CDataManager::RebuildTree() {
    IFriendTreeView* tree = m_tree;
    if (!tree)
        return;
    const std::vector<CGroup> groups = Groups();
    tree->TreeClear();
    for (const auto& group : groups)
        tree->TreeAddGroup(group.Id());
    for (const auto& group : groups) {
        for (int qid : group.Members()) {
            UserRecord(qid);
            tree->TreeAddFriend(group.Id(), qid);
        }
    }
}

bool CDataManager::EnterChannel(int channelId) {
    const int current = m_current;
    IDesktopShell* shell = m_shell;
    if (current == 0 || !shell)
        return false;
    // The local user's own record holds the password the chat page signs in with;
    // a cached copy of the same user never does.
    User user = LocalUser(current);
    if (!user)
        user = UserRecord(current);
    return user->JoinChannel(m_engine, m_clock, m_channels, *shell, channelId);
}

} // namespace murmex
