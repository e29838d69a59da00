#pragma once

#include "model/group.h"
#include "model/message_record.h"
#include "model/store_writer.h"
#include "model/user_record.h"
#include "model/worker_threads.h"
#include "ports/data_manager_port.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <semaphore>
#include <string>
#include <unordered_map>
#include <vector>

namespace murmex {

class CChannelList;
class CRequestEngine;
class IClock;
class IDesktopShell;
class IFriendTreeView;
class IHeartbeatSink;
class IMessageBox;
class IPasswordPrompt;
class IPeriodicTasks;

struct SDataManagerSettings {
    // How long a message fetch waits for the one before it.
    std::chrono::milliseconds messagesLockWait{30000};
    // Off only where the cost of storage itself is being measured: Save then
    // writes nothing and reports success.
    bool saveChanges = true;
};

// One row of a message list: the message's position in the inbox and its summary.
struct SMessageRow {
    int index = 0;
    std::string summary;
};

// One entry of a friend or group choice list.
struct SChoice {
    int id = 0;
    std::string text; // Windows-1250
};

// The client's data: the local users of this computer and, for the current
// local user, the friends, groups, known users and the inbox. Loads and saves
// them, runs the login, and keeps friends, presence and messages in step with
// the service through its worker threads.
//
// Threads: windows call in from the UI thread; the login, the friends
// synchronisation and the message fetch run on workers owned here. One mutex
// keeps the lists consistent; it is never held while a command runs or a view,
// the sink, the prompt or the message box is called. User records guard their
// own fields and are shared pointers, so a record in use survives a reload.
class CDataManager final : public IDataManagerPort {
public:
    // Results of the friend and group operations.
    static constexpr int kDone = 1;
    static constexpr int kNoSuchGroup = -1;
    static constexpr int kAlreadyFriend = -2;
    static constexpr int kNotInGroup = -3;

    using User = std::shared_ptr<CUserRecord>;

    // Loads the stored data and, when given the task list, registers the
    // friends synchronisation (every 20 s) and the message fetch (every 5 s).
    CDataManager(CRequestEngine& engine, CChannelList& channels, const IClock& clock,
                 IPeriodicTasks* tasks = nullptr, SDataManagerSettings settings = {});
    // Waits for the worker threads (see Shutdown).
    ~CDataManager() override;
    CDataManager(const CDataManager&) = delete;
    CDataManager& operator=(const CDataManager&) = delete;

    // --- wiring (any may be null; set them before the workers run)
    void RegisterPeriodicTasks(IPeriodicTasks& tasks);
    void SetTreeView(IFriendTreeView* view) { m_tree = view; }
    void SetHeartbeatSink(IHeartbeatSink* sink) { m_sink = sink; }
    void SetPasswordPrompt(IPasswordPrompt* prompt) { m_prompt = prompt; }
    // Also shows a notice that waited for it (a damaged data file found at construction).
    void SetMessageBox(IMessageBox* box);
    void SetDesktopShell(IDesktopShell* shell) { m_shell = shell; }
    // Shows the current local user's nick (UTF-8) in a window title; "" when none.
    void SetTitleCallback(std::function<void(const std::string&)> title);
    CRequestEngine& Engine() const { return m_engine; }
    CChannelList& Channels() const { return m_channels; }

    // --- storage
    // Reads everything of the current local user. Lines of the data file that
    // are not records are left out; the file as it was is kept as
    // murmex.cfg.damaged and the user is told once, naming the file.
    void Load();
    // Writes everything, the whole file. False when it could not be written
    // (the file then keeps its old content; the user is told once, and the
    // message fetch waits until a save succeeds).
    bool Save();
    // True after a save failed, until one succeeds.
    bool StorageFailed() const { return m_saveFailed; }
    // Waits until every change handed to the writer is on disk (tests, tools).
    void FlushStorage();

    // --- local users
    int AddLocalUser(int qid);
    int SwitchLocalUser(int qid);
    void SwitchToFirstLocalUser();
    int RemoveLocalUser(int qid);
    User LocalUser(int qid) const;
    std::vector<User> LocalUsers() const;
    int CurrentLocalUser() const override { return m_current; }

    // --- friends and groups
    // The cached record, else one fetched from the server and cached; a QID the
    // server does not know gives an uncached record named "[nieznany]".
    User UserRecord(int qid);
    // The cached record or none, without asking the server.
    User CachedUser(int qid) const;
    int AddFriend(int qid, int groupId) override;
    int RemoveFriend(int qid, int groupId) override;
    int MoveFriend(int qid, int toGroupId);
    // Returns the new group's id.
    int NewGroup(const std::string& name);
    void DeleteGroup(int groupId);
    bool RenameGroup(int groupId, const std::string& name);
    // Gives the hand-made record a fresh local-contact id and files it in the
    // group; returns the id, or kNoSuchGroup.
    int AddLocalContact(const CUserRecord& record, int groupId);
    int GroupOf(int qid) const override;
    static bool IsLocalContactId(int qid) { return qid > CUserRecord::kLastServiceQid; }
    bool IsFriend(int qid) const;
    std::vector<int> Friends() const;
    std::vector<CGroup> Groups() const;
    std::optional<CGroup> Group(int groupId) const;
    bool ImportServerFriends();
    // 0 when nothing is pending.
    int NextPendingNewFriend() override;
    int NextPendingVanishedFriend() override;
    // CMD_ADD_FRIEND again for a friend the service no longer lists.
    bool ReAddFriend(int qid) override;
    std::vector<SChoice> FriendsChoice();
    std::vector<SChoice> GroupsChoice() const;
    void RebuildTree();
    bool EnterChannel(int channelId);

    // --- messages
    // Storing a message or a read mark never rewrites murmex.cfg: the change is
    // handed to the storage writer, which appends it to the change journal
    // beside the file (one flushed line). The calls below return at once, on
    // any thread; the change is on disk soon after and at the latest when
    // Shutdown returns.
    //
    // Returns the new message's index.
    int AddMessage(CMessageRecord message);
    // A message the user sent (type Sent or SentSms; a Received type becomes
    // Sent), stored as above. Returns its index.
    int StoreSentMessage(CMessageRecord message);
    int MessageCount() const;
    std::optional<CMessageRecord> MessageAt(int index) const;
    // Marks the message read (or unread); the friend tree hears of it at once,
    // the disk soon after. False for an index out of range.
    bool SetMessageRead(int index, bool read = true);
    // Kept per sender as messages come and are read: constant time.
    int UnreadCount() const;
    bool HasUnreadMessages() const override { return UnreadCount() > 0; }
    int FirstUnread() const;
    int UnreadCountFrom(int sender) const;
    bool HasUnreadFrom(int sender) const;
    int FirstUnreadFrom(int sender) const;
    // Every message, newest first, summarised with the sender's nick.
    std::vector<SMessageRow> MessageRows();
    // The messages from one sender, newest first, summarised without the sender.
    std::vector<SMessageRow> SenderMessageRows(int sender) const;

    // --- search: the criteria are a record's nick, e-mail, name, surname
    // (brief data), city, age, sex, education, job, country and first
    // language and interest.
    // The first kMaxSearchResults found users are kept (and fetched when not
    // known yet): a service listing thousands would otherwise cost as many
    // exchanges before anything is shown.
    static constexpr std::size_t kMaxSearchResults = 100;
    // `save` false leaves saving the found users to the caller (a window that
    // shows them first and writes them to disk while they are on screen).
    bool SearchUsers(const CUserRecord& criteria, bool save = true);
    int SearchResultCount() const;
    // The found QIDs in the service's order.
    std::vector<int> SearchResultQids() const;
    User SearchResult(int index);

    // --- other service commands
    bool Recommend(const std::string& email);
    bool SendFeedback(const std::string& text);

    // --- login and background work
    // 1 when a login runs (a new one, or one already running), 0 without a local user.
    int StartLogin() override;
    bool QuietLogin();
    bool Logout() override;
    void StartFriendsSync();
    void StartMessageFetch();
    // Stops taking new work, breaks a blocked exchange and waits for every worker.
    // Call it while the windows still exist: a login waiting in the password
    // prompt returns only once the prompt answers (a prompt that is closing
    // answers "cancelled").
    void Shutdown();
    // Waits until every worker has finished (tests, tools).
    void WaitForWorkers() { m_workers.JoinAll(); }

private:
    struct SLoaded;
    SLoaded ReadSections(int current) const;
    std::future<bool> AppendMessage(CMessageRecord message, int& index);
    // Stores a fetched message and waits until it is on disk; false when it is not.
    bool StoreFetchedMessage(CMessageRecord message, bool notify);
    bool StoreMessageLine(int qid, bool append, std::size_t index, const CParamRecord& line);
    void RebuildUnreadIndexLocked();
    // The known users by QID, under m_mutex.
    User FindUserLocked(int qid) const;
    void AppendUserLocked(User user);
    // Every change to m_users other than an append calls this.
    void ForgetUserIndexLocked() { m_userIndexBuilt = false; }
    void CountUnreadLocked(int sender, int delta);
    // Remembers a save's outcome; the first failure of a run is told to the user.
    bool NoteSaveResult(bool ok);
    void ReportDamagedFile(std::size_t lines);
    bool PasswordLoop(const User& user, const std::function<bool(CUserRecord&)>& attempt);
    void LoginProcedure();
    bool RunLogin();
    void FriendsSync();
    void MessageFetch();
    void FetchWaitingMessages(bool notify);
    void ShowMessage(const char* textUtf8);
    void SetTitle(const std::string& nickWin1250);
    void ClearUserData();

    CRequestEngine& m_engine;
    CChannelList& m_channels;
    const IClock& m_clock;
    SDataManagerSettings m_settings;

    std::atomic<IFriendTreeView*> m_tree{nullptr};
    std::atomic<IHeartbeatSink*> m_sink{nullptr};
    std::atomic<IPasswordPrompt*> m_prompt{nullptr};
    std::atomic<IMessageBox*> m_messageBox{nullptr};
    std::atomic<IDesktopShell*> m_shell{nullptr};
    std::mutex m_titleMutex;
    std::function<void(const std::string&)> m_title;
    std::string m_pendingNotice;   // under m_titleMutex
    bool m_damageReported = false; // under m_titleMutex

    std::binary_semaphore m_messagesLock{1};
    std::binary_semaphore m_friendsLock{1};
    std::atomic<int> m_current{0};
    std::atomic<bool> m_loginRunning{false};
    std::atomic<bool> m_stopping{false};

    mutable std::mutex m_mutex;
    std::vector<CMessageRecord> m_messages;
    std::unordered_map<int, int> m_unreadBySender; // only senders with unread messages
    int m_unreadTotal = 0;
    std::vector<int> m_pendingVanished;
    std::vector<int> m_pendingNew;
    std::vector<int> m_searchResults;
    std::vector<User> m_localUsers;
    std::vector<int> m_friends;
    std::vector<User> m_users;
    // Where each known user sits in m_users (the first record of a QID), for
    // the friend tree's look-up per friend and the search's per found user:
    // built at the first look-up after a change, kept in step by appends, so
    // a QID missing from it is not known at all.
    mutable std::unordered_map<int, std::size_t> m_userIndex; // under m_mutex
    mutable bool m_userIndexBuilt = false;                    // under m_mutex
    std::vector<CGroup> m_groups;
    // Saves one at a time, each from a fresh snapshot, so an older one never lands last.
    std::mutex m_saveMutex;
    // The messages section on disk has exactly the lines of m_messages (so a
    // change can go to the journal by position).
    std::atomic<bool> m_messagesInStep{false};
    std::atomic<bool> m_saveFailed{false};
    std::atomic<bool> m_failureTold{false};
    // Writes message changes in order, off the window thread.
    CStoreWriter m_store;

    // Last: the workers are joined before anything they use goes away.
    CWorkerThreads m_workers;
};

} // namespace murmex
