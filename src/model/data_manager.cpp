// The data manager's construction, storage and local users.
#include "model/data_manager.h"

#include "model/channel_list.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "storage/config_store.h"
#include "storage/text_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_set>

namespace murmex {
namespace {

// How long shutdown lets a fetch finish the exchange under way by itself.
constexpr std::chrono::milliseconds kWorkerGraceAtShutdown{3000};

std::string UserSection(int qid, const char* name) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "QID%d-", qid);
    return std::string(prefix) + name;
}

// Reads one user record per line. A line without a QID gives a record that
// would be written back as an empty line, which hides the rest of the section
// from every later read, so such records are dropped; so is a second record
// for a QID already read.
std::vector<CDataManager::User> ReadUsers(const std::string& section, std::size_t& skipped) {
    std::vector<CDataManager::User> users;
    std::unordered_set<int> seen;
    CConfigStore store;
    store.Open(section, CConfigStore::Read);
    users.reserve(store.Remaining());
    while (!store.AtEnd()) {
        auto user = std::make_shared<CUserRecord>();
        if (!user->ReadFrom(store))
            break;
        if (!user->HasQid())
            continue;
        if (seen.insert(user->Qid()).second)
            users.push_back(std::move(user));
    }
    skipped += store.SkippedLines();
    store.Close();
    return users;
}

template <class T> std::vector<T> ReadAll(const std::string& section, std::size_t& skipped) {
    std::vector<T> items;
    CConfigStore store;
    store.Open(section, CConfigStore::Read);
    items.reserve(store.Remaining());
    while (!store.AtEnd()) {
        T item;
        if (!item.ReadFrom(store))
            break;
        items.push_back(std::move(item));
    }
    skipped += store.SkippedLines();
    store.Close();
    return items;
}

// The inbox, read lazily (see CMessageRecord): a line that is no record is
// passed over and counted, as ReadAll does.
std::vector<CMessageRecord> ReadMessages(const std::string& section, std::size_t& skipped) {
    std::vector<CMessageRecord> messages;
    CConfigStore store;
    store.Open(section, CConfigStore::Read);
    CMessageLines lines(store.FileText());
    messages.reserve(store.Remaining());
    std::string_view line;
    while (store.ReadLineView(line)) {
        CMessageRecord& message = messages.emplace_back();
        if (!message.ReadFromLine(line, lines)) {
            messages.pop_back();
            ++skipped;
        }
    }
    store.Close();
    return messages;
}

template <class Range> void WriteItems(CConfigStore& store, const Range& items) {
    for (const auto& item : items) {
        if constexpr (requires { item->WriteTo(store); })
            item->WriteTo(store);
        else
            item.WriteTo(store);
    }
}

} // namespace

struct CDataManager::SLoaded {
    std::vector<User> localUsers;
    std::vector<int> friends;
    std::vector<CGroup> groups;
    std::vector<User> users;
    std::vector<CMessageRecord> messages;
    std::size_t skipped = 0;         // damaged lines passed over, all sections
    std::size_t skippedMessages = 0; // of them in the messages section
};

CDataManager::CDataManager(CRequestEngine& engine, CChannelList& channels, const IClock& clock,
                           IPeriodicTasks* tasks, SDataManagerSettings settings)
    : m_engine(engine), m_channels(channels), m_clock(clock), m_settings(settings) {
    Load();
    if (tasks)
        RegisterPeriodicTasks(*tasks);
}

CDataManager::~CDataManager() {
    Shutdown();
}

void CDataManager::RegisterPeriodicTasks(IPeriodicTasks& tasks) {
    tasks.RegisterPeriodicTask([this] { StartFriendsSync(); }, 20);
    tasks.RegisterPeriodicTask([this] { StartMessageFetch(); }, 5);
}

void CDataManager::SetTitleCallback(std::function<void(const std::string&)> title) {
    std::lock_guard lock(m_titleMutex);
    m_title = std::move(title);
}

void CDataManager::SetTitle(const std::string& nickWin1250) {
    std::function<void(const std::string&)> title;
    {
        std::lock_guard lock(m_titleMutex);
        title = m_title;
    }
    if (title)
        title(Win1250ToUtf8(nickWin1250));
}

void CDataManager::ShowMessage(const char* textUtf8) {
    if (IMessageBox* box = m_messageBox)
        box->ShowMessage(textUtf8);
}

void CDataManager::Shutdown() {
    m_stopping = true;
    // The fetch ends after the exchange under way, so the message it stored
    // last is acknowledged by the logout that follows. A worker blocked in an
    // exchange would hold shutdown for up to 70 s: that one is cut off.
    if (!m_workers.WaitIdleFor(kWorkerGraceAtShutdown))
        m_engine.Abort();
    m_workers.StopAndJoin();
    // Every read mark and sent message handed over is written before we go,
    // and the journal folded into murmex.cfg.
    m_store.Stop();
    if (!m_settings.saveChanges)
        return;
    if (m_saveFailed)
        Save();
    CConfigStore::CompactMainFile();
}

// --- storage

CDataManager::SLoaded CDataManager::ReadSections(int current) const {
    SLoaded loaded;
    loaded.localUsers = ReadUsers("LocalUsers", loaded.skipped);
    if (current == 0)
        return loaded;
    {
        CConfigStore store;
        store.Open(UserSection(current, "Friends"), CConfigStore::Read);
        CParamRecord line;
        if (store.ReadRecord(line) && line.Has("friends"))
            line.GetIntList("friends", loaded.friends);
        loaded.skipped += store.SkippedLines();
        store.Close();
    }
    loaded.groups = ReadAll<CGroup>(UserSection(current, "Groups"), loaded.skipped);
    loaded.users = ReadUsers(UserSection(current, "Users"), loaded.skipped);
    std::size_t skipped = 0;
    loaded.messages = ReadMessages(UserSection(current, "Messages"), skipped);
    loaded.skippedMessages = skipped;
    loaded.skipped += skipped;
    return loaded;
}

void CDataManager::Load() {
    // Changes still on their way to disk belong to what is loaded now.
    m_store.Flush();
    SLoaded loaded = ReadSections(m_current);
    std::vector<int> blinking;
    for (const auto& m : loaded.messages)
        if (!m.IsRead() && m.Type() == CMessageRecord::Received)
            blinking.push_back(m.Sender());
    {
        std::lock_guard lock(m_mutex);
        m_localUsers = std::move(loaded.localUsers);
        m_friends = std::move(loaded.friends);
        m_groups = std::move(loaded.groups);
        m_users = std::move(loaded.users);
        ForgetUserIndexLocked();
        m_messages = std::move(loaded.messages);
        RebuildUnreadIndexLocked();
        // Lines of the messages section count by position in the change
        // journal: with damaged lines left out, the positions differ until the
        // section has been written whole once.
        m_messagesInStep = loaded.skippedMessages == 0;
    }
    if (loaded.skipped > 0)
        ReportDamagedFile(loaded.skipped);
    // What was just read is what is on disk: no save per message here.
    if (IFriendTreeView* tree = m_tree)
        for (int sender : blinking)
            tree->TreeFriendHasNewMessage(sender);
}

bool CDataManager::Save() {
    if (!m_settings.saveChanges)
        return true;
    std::lock_guard saveLock(m_saveMutex);
    SLoaded snapshot;
    const int current = m_current;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& user : m_localUsers)
            user->SetLocalUser(true); // so that the password keys are written with it
        snapshot.localUsers = m_localUsers;
        if (current != 0) {
            snapshot.groups = m_groups;
            snapshot.friends = m_friends;
            snapshot.users = m_users;
            snapshot.messages = m_messages;
        }
    }
    // One pass over the file for every section: a login that stores a thousand
    // waiting messages rewrites the file once per message, not five times.
    CConfigStore store;
    store.Open("LocalUsers", CConfigStore::Write);
    WriteItems(store, snapshot.localUsers);
    if (current != 0) {
        store.NextSection(UserSection(current, "Groups"));
        WriteItems(store, snapshot.groups);
        store.NextSection(UserSection(current, "Friends"));
        CParamRecord line;
        line.AddIntList("friends", snapshot.friends);
        store.WriteRecord(line);
        store.NextSection(UserSection(current, "Users"));
        WriteItems(store, snapshot.users);
        store.NextSection(UserSection(current, "Messages"));
        WriteItems(store, snapshot.messages);
    }
    const bool ok = store.Close();
    if (ok && current == m_current)
        m_messagesInStep = true;
    NoteSaveResult(ok);
    return ok;
}

void CDataManager::ReportDamagedFile(std::size_t lines) {
    const std::string path = CPaths::DataFile(CConfigStore::kMainFile);
    const std::string copy = path + ".damaged";
    // The next save drops the unreadable lines for good: keep the file as it
    // was, for the user or for whoever can still make sense of them.
    const bool kept = CopyTextFile(path, copy);
    char count[32];
    std::snprintf(count, sizeof count, "%zu", lines);
    std::string text = "Plik danych ";
    text += path;
    text += " jest uszkodzony: pominięto wiersze, których nie da się odczytać (";
    text += count;
    text += ").";
    if (kept)
        text += " Kopię pliku w stanie sprzed zmian zachowano jako " + copy + ".";
    {
        std::lock_guard lock(m_titleMutex);
        if (m_damageReported)
            return;
        m_damageReported = true;
        if (!m_messageBox) {
            m_pendingNotice = text;
            return;
        }
    }
    ShowMessage(text.c_str());
}

void CDataManager::SetMessageBox(IMessageBox* box) {
    m_messageBox = box;
    std::string notice;
    {
        std::lock_guard lock(m_titleMutex);
        notice.swap(m_pendingNotice);
    }
    if (box && !notice.empty())
        box->ShowMessage(notice);
}

bool CDataManager::NoteSaveResult(bool ok) {
    if (ok) {
        m_saveFailed = false;
        m_failureTold = false;
        return true;
    }
    m_saveFailed = true;
    // Told once per run of failures, not once per message.
    if (!m_failureTold.exchange(true)) {
        std::string text = "Nie mogę zapisać danych do pliku ";
        text += CPaths::DataFile(CConfigStore::kMainFile);
        text += ". Sprawdź, czy na dysku jest wolne miejsce i czy można pisać w tym katalogu. "
                "Do czasu udanego zapisu nie pobieram nowych wiadomości.";
        ShowMessage(text.c_str());
    }
    return false;
}

// --- local users

int CDataManager::AddLocalUser(int qid) {
    if (LocalUser(qid))
        return 0;
    auto user = std::make_shared<CUserRecord>(qid);
    if (!user->LoadBrief(m_engine))
        return 0;
    {
        std::lock_guard lock(m_mutex);
        auto same = [qid](const User& u) { return u->Qid() == qid; };
        if (std::any_of(m_localUsers.begin(), m_localUsers.end(), same))
            return 0;
        user->SetLocalUser(true);
        m_localUsers.push_back(user);
    }
    // A local user that is not on disk would be gone at the next start: the
    // caller must hear that it failed.
    if (!Save()) {
        std::lock_guard lock(m_mutex);
        std::erase(m_localUsers, user);
        return 0;
    }
    return 1;
}

int CDataManager::SwitchLocalUser(int qid) {
    User user = LocalUser(qid);
    if (!user)
        return 1;
    SetTitle(user->Nick());
    if (IHeartbeatSink* sink = m_sink)
        sink->LocalUserSwitching();
    bool loginAgain = false;
    if (m_engine.IsLoggedIn()) {
        Logout();
        loginAgain = true;
    }
    m_current = qid;
    Load();
    m_channels.SetLocalUser(qid);
    m_channels.Load();
    RebuildTree();
    m_channels.RefreshFavouritesView();
    if (loginAgain)
        QuietLogin();
    StartFriendsSync();
    return 1;
}

void CDataManager::SwitchToFirstLocalUser() {
    int first = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_localUsers.empty())
            return;
        first = m_localUsers.front()->Qid();
    }
    SwitchLocalUser(first);
}

void CDataManager::ClearUserData() {
    std::lock_guard lock(m_mutex);
    m_friends.clear();
    m_groups.clear();
    m_users.clear();
    ForgetUserIndexLocked();
    m_messages.clear();
    RebuildUnreadIndexLocked();
    m_pendingNew.clear();
    m_pendingVanished.clear();
    m_searchResults.clear();
}

int CDataManager::RemoveLocalUser(int qid) {
    if (!LocalUser(qid))
        return 0;
    if (qid == m_current) {
        Logout();
        m_current = 0;
        // Nothing of the removed user may stay on screen or be counted as unread.
        ClearUserData();
        m_channels.SetLocalUser(0);
        m_channels.Load();
        m_channels.RefreshFavouritesView();
        SetTitle("");
        if (IFriendTreeView* tree = m_tree)
            tree->TreeClear();
    }
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_localUsers.begin(), m_localUsers.end(),
                               [qid](const User& u) { return u->Qid() == qid; });
        if (it == m_localUsers.end())
            return 0;
        m_localUsers.erase(it);
    }
    Save();
    return 1;
}

CDataManager::User CDataManager::LocalUser(int qid) const {
    std::lock_guard lock(m_mutex);
    for (const auto& user : m_localUsers)
        if (user->Qid() == qid)
            return user;
    return nullptr;
}

std::vector<CDataManager::User> CDataManager::LocalUsers() const {
    std::lock_guard lock(m_mutex);
    return m_localUsers;
}

} // namespace murmex
