// The data manager's login and its two periodic background tasks.
#include "model/data_manager.h"
#include "model/model_texts.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"

#include <algorithm>

namespace murmex {
namespace {

// Releases a semaphore when the scope ends.
class CReleaser {
public:
    explicit CReleaser(std::binary_semaphore& lock) : m_lock(lock) {}
    ~CReleaser() { m_lock.release(); }
    CReleaser(const CReleaser&) = delete;
    CReleaser& operator=(const CReleaser&) = delete;

private:
    std::binary_semaphore& m_lock;
};

} // namespace

// Tries the stored password once, or asks for one until it works or the user
// cancels. A typed password joins the record only once the server took it, so a
// mistyped one is never kept (and never makes later logins fail unasked).
bool CDataManager::PasswordLoop(const User& user,
                                const std::function<bool(CUserRecord&)>& attempt) {
    CUserRecord trial(*user);
    const bool ask = !trial.HasPassword();
    for (int pass = 0;; ++pass) {
        if (m_stopping)
            return false;
        if (ask) {
            if (pass > 0)
                ShowMessage(texts::kWrongPassword);
            IPasswordPrompt* prompt = m_prompt;
            std::string typed;
            if (!prompt || !prompt->AskPassword(trial.Qid(), typed))
                return false;
            trial.SetPassword(typed);
        }
        if (attempt(trial)) {
            if (ask)
                user->SetPassword(trial.Password());
            return true;
        }
        if (!ask)
            return false;
        // A lost connection is not a wrong password: asking again could not help.
        if (!m_engine.IsConnected())
            return false;
    }
}

int CDataManager::StartLogin() {
    if (m_current == 0)
        return 0;
    // One login at a time; the running one reports through LoginFinished.
    if (m_loginRunning.exchange(true))
        return 1;
    if (!m_workers.Start([this] { LoginProcedure(); })) {
        m_loginRunning = false;
        return 0;
    }
    return 1;
}

void CDataManager::LoginProcedure() {
    const bool ok = RunLogin();
    m_loginRunning = false;
    if (IHeartbeatSink* sink = m_sink)
        sink->LoginFinished(ok);
}

bool CDataManager::RunLogin() {
    if (!m_engine.IsConnected() && !m_engine.Connect())
        return false;
    User user = LocalUser(m_current);
    if (!user)
        return false;
    const int qid = user->Qid();
    auto attempt = [this](CUserRecord& trial) {
        CParamRecord r;
        r.AddInt("userid", trial.Qid());
        r.AddText("password", trial.Password());
        return m_engine.ExecuteCommandInline(CMD_LOGIN, &r);
    };
    if (!PasswordLoop(user, attempt))
        return false;
    m_engine.SetCurrentQid(qid);
    m_engine.SetLoggedIn(true);
    StartFriendsSync();
    // Messages that waited for us are stored without opening a window for each.
    FetchWaitingMessages(false);
    return true;
}

bool CDataManager::QuietLogin() {
    User user = LocalUser(m_current);
    if (!user)
        return false;
    if (!m_engine.IsConnected() && !m_engine.Connect())
        return false;
    return PasswordLoop(user, [this](CUserRecord& trial) { return trial.LoginAs(m_engine); });
}

bool CDataManager::Logout() {
    User user = LocalUser(m_current);
    if (!user)
        user = std::make_shared<CUserRecord>(m_current);
    return user->LogoutAs(m_engine);
}

void CDataManager::StartFriendsSync() {
    m_workers.Start([this] { FriendsSync(); });
}

void CDataManager::StartMessageFetch() {
    m_workers.Start([this] { MessageFetch(); });
}

void CDataManager::FriendsSync() {
    if (m_stopping || !m_engine.IsLoggedIn())
        return;
    {
        // Earlier findings wait for the user's decision first.
        std::lock_guard lock(m_mutex);
        if (!m_pendingNew.empty() || !m_pendingVanished.empty())
            return;
    }
    if (!m_friendsLock.try_acquire())
        return;
    CReleaser release(m_friendsLock);

    {
        std::lock_guard lock(m_mutex);
        m_pendingNew.clear();
        m_pendingVanished.clear();
    }
    CParamRecord r;
    if (m_engine.ExecuteCommandInline(CMD_GET_FRIENDS, &r)) {
        std::vector<int> server;
        r.GetIntList("friends", server);
        std::lock_guard lock(m_mutex);
        for (int qid : server)
            if (std::find(m_friends.begin(), m_friends.end(), qid) == m_friends.end() &&
                std::find(m_pendingNew.begin(), m_pendingNew.end(), qid) == m_pendingNew.end())
                m_pendingNew.push_back(qid);
        for (int qid : m_friends)
            if (std::find(server.begin(), server.end(), qid) == server.end())
                m_pendingVanished.push_back(qid);
    }

    IHeartbeatSink* sink = m_sink;
    for (int qid : Friends()) {
        if (m_stopping)
            break;
        User user = UserRecord(qid);
        const bool wasInChat = user->InChat();
        const bool wasRunning = user->RunningProgram();
        user->RefreshStatus(m_engine, m_clock);
        const bool inChat = user->InChat();
        const bool running = user->RunningProgram();
        if (inChat == wasInChat && running == wasRunning)
            continue;
        if (IFriendTreeView* tree = m_tree)
            tree->TreeUpdateFriend(qid);
        if (inChat && running && sink)
            sink->PushFriendOnline(qid);
    }
    if (sink)
        sink->PushFriendOnline(0);
}

void CDataManager::MessageFetch() {
    if (m_stopping || !m_engine.IsLoggedIn())
        return;
    if (!m_messagesLock.try_acquire_for(m_settings.messagesLockWait))
        return;
    CReleaser release(m_messagesLock);
    FetchWaitingMessages(true);
}

void CDataManager::FetchWaitingMessages(bool notify) {
    // After a failed save nothing more is fetched until the data is on disk
    // again: the service forgets what it handed out, so a message that lives
    // only in memory is one power cut away from being lost.
    if (m_saveFailed && !Save())
        return;
    CParamRecord r;
    while (!m_stopping && m_engine.ExecuteCommandInline(CMD_FETCH_MESSAGE, &r)) {
        const int sender = r.GetInt("sender");
        std::string text = r.Get("msg");
        const int date = r.GetInt("date");
        CMessageRecord message;
        message.SetContent(std::move(text), sender, m_clock.WallSeconds());
        message.SetSentTime(date);
        if (!StoreFetchedMessage(std::move(message), notify))
            break;
        r.Clear();
    }
}

} // namespace murmex
