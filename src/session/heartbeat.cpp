#include "session/heartbeat.h"

#include "platform/clock.h"
#include "ports/data_manager_port.h"
#include "protocol/request_engine.h"
#include "session/call_counter_port.h"
#include "session/connection_state.h"
#include "session/heartbeat_view.h"
#include "session/periodic_tasks.h"
#include "session/shell_texts.h"
#include "session/tray_icon_picture.h"
#include "storage/options.h"

namespace murmex {
namespace {

// Releases the event lock however the pending-friend handling ends.
class CEventLockGuard {
public:
    explicit CEventLockGuard(std::binary_semaphore& lock) : m_lock(lock) {}
    ~CEventLockGuard() { m_lock.release(); }
    CEventLockGuard(const CEventLockGuard&) = delete;
    CEventLockGuard& operator=(const CEventLockGuard&) = delete;

private:
    std::binary_semaphore& m_lock;
};

} // namespace

CHeartbeat::CHeartbeat(const IClock& clock, CPeriodicTasks& tasks,
                       const CInternetConnection& connection, const CRequestEngine& engine,
                       IMessageBox& messageBox)
    : m_clock(clock), m_tasks(tasks), m_connection(connection), m_engine(engine),
      m_messageBox(messageBox) {}

void CHeartbeat::Attach(IDataManagerPort& data, ICallCounterPort& counter, IHeartbeatView& view) {
    m_data = &data;
    m_counter = &counter;
    m_view = &view;
}

void CHeartbeat::Detach() {
    m_view = nullptr;
    m_counter = nullptr;
    m_data = nullptr;
}

void CHeartbeat::SetIconBit(int bit, bool on) {
    if (on)
        m_icon |= bit;
    else
        m_icon &= ~bit;
}

void CHeartbeat::SetLoginInProgress(bool inProgress) {
    m_loginInProgress = inProgress;
    SetIconBit(kIconLoginInProgress, inProgress);
}

void CHeartbeat::Tick() {
    if (!m_data || !m_counter || !m_view)
        return;
    m_view->AdvanceTreeBlink();
    m_tasks.RunPeriodicTasks();
    SetIconBit(kIconLoginInProgress, m_loginInProgress);
    SetIconBit(kIconUnreadMessages, m_data->HasUnreadMessages());
    HandleFriendOnlineQueue();
    HandleNewMessageQueue();
    UpdateFriendEventWindow();
    HandlePendingFriends();
    const bool connected = WatchConnection();
    WatchLogin(connected);
    ShowStatusLine(connected);
    ShowTrayIcon();
}

void CHeartbeat::HandleFriendOnlineQueue() {
    int qid = 0;
    if (!m_friendOnline.TryPop(qid))
        return;
    // The synchronisation ends every run with a 0: the friends it found online
    // during its first run were online before we started and raise nothing.
    if (qid == 0) {
        m_suppressFriendEvents = false;
        return;
    }
    if (m_suppressFriendEvents)
        return;
    m_lastFriendEvent = m_clock.WallSeconds();
    // Before the main bar may be shown below: whether the user saw it counts as it was.
    m_view->NotifyFriendOnline(qid);
    if (GetOption("OpenMainBarOnFriend") == "1" && m_view->IsMainBarHidden())
        m_view->ShowMainBar();
    if (GetOption("OpenWindowOnFriend") == "1")
        m_view->OpenFriendOnlinePopup(qid);
}

void CHeartbeat::HandleNewMessageQueue() {
    int index = 0;
    if (!m_newMessages.TryPop(index))
        return;
    m_view->NotifyNewMessage(index);
    // No option means open; any value but "1" leaves the message to the blinking icon.
    if (HasOption("MessageOpenWin") && GetOption("MessageOpenWin") != "1")
        return;
    m_view->OpenReadWindow(index);
}

void CHeartbeat::UpdateFriendEventWindow() {
    if (!m_lastFriendEvent)
        return;
    const std::int64_t elapsed = m_clock.WallSeconds() - *m_lastFriendEvent;
    // A clock set back ends the window rather than keeping the icon on for as long.
    if (elapsed >= 0 && elapsed < kFriendEventSeconds) {
        SetIconBit(kIconFriendOnline, true);
        return;
    }
    SetIconBit(kIconFriendOnline, false);
    m_lastFriendEvent.reset();
}

void CHeartbeat::HandlePendingFriends() {
    if (!m_eventLock.try_acquire())
        return;
    CEventLockGuard guard(m_eventLock);
    if (int qid = m_data->NextPendingNewFriend())
        HandlePendingNewFriend(qid);
    if (int qid = m_data->NextPendingVanishedFriend())
        HandlePendingVanishedFriend(qid);
}

void CHeartbeat::HandlePendingNewFriend(int qid) {
    const SNewFriendAnswer answer = m_view->AskNewFriend(qid);
    switch (answer.kind) {
    case SNewFriendAnswer::kAdd:
        // Without a group there is nowhere to add the friend: nothing happens.
        if (answer.groupId > 0 && m_data->AddFriend(qid, answer.groupId) <= 0)
            m_messageBox.ShowMessage(kTextCannotAddFriend);
        break;
    case SNewFriendAnswer::kReject:
        if (m_data->RemoveFriend(qid, 0) <= 0)
            m_messageBox.ShowMessage(kTextCannotRemoveFriend);
        break;
    case SNewFriendAnswer::kClosed:
        break;
    }
}

void CHeartbeat::HandlePendingVanishedFriend(int qid) {
    if (m_view->AskVanishedFriend(qid) == EVanishedFriendAnswer::kDelete) {
        if (m_data->RemoveFriend(qid, m_data->GroupOf(qid)) <= 0)
            m_messageBox.ShowMessage(kTextCannotRemoveFriend);
        return;
    }
    if (!m_data->ReAddFriend(qid))
        m_messageBox.ShowMessage(kTextCannotAddFriend);
}

bool CHeartbeat::WatchConnection() {
    const CConnectionState state(m_connection, m_engine);
    const bool connected = state.IsConnected();
    if (connected && !m_connectedLatch) {
        // The latch is set first: the message box below runs a nested loop whose
        // ticks must not take this branch again.
        m_connectedLatch = true;
        ShowStatusLine(true);
        if (!state.IsLAN())
            m_counter->StartCall();
        // A login the user started a moment ago is not started twice.
        if (m_data->CurrentLocalUser() != 0 && !m_engine.IsLoggedIn() && !m_loginInProgress) {
            const bool started = m_data->StartLogin() > 0;
            SetLoginInProgress(started);
            if (!started)
                m_messageBox.ShowMessage(kTextLoginFailed);
        }
    } else if (!connected && m_connectedLatch) {
        m_connectedLatch = false;
        m_data->Logout();
        ShowStatusLine(false);
        if (!state.IsLAN())
            m_counter->EndCall();
    } else if (connected && m_counter->IsCallRunning() && m_counter->TimerEvent()) {
        m_view->SetCostLine(m_counter->CounterText());
        ShowStatusLine(true);
    }
    return connected;
}

bool CHeartbeat::ReLoginPauseOver() const {
    const std::int64_t notBefore = m_reLoginNotBefore;
    const std::int64_t now = m_clock.WallSeconds();
    // A clock set back by more than the pause must not hold the login off for as long.
    return now >= notBefore || notBefore - now > kReLoginPauseSeconds;
}

void CHeartbeat::WatchLogin(bool connected) {
    if (m_loggedInLatch && !m_engine.IsLoggedIn()) {
        SetIconBit(kIconLoggedIn, false);
        m_loggedInLatch = false;
    }
    if (m_autoReLogin && connected && !m_loginInProgress && !m_engine.IsLoggedIn() &&
        ReLoginPauseOver())
        SetLoginInProgress(m_data->StartLogin() > 0);
    if (!m_loggedInLatch && m_engine.IsLoggedIn()) {
        SetIconBit(kIconLoggedIn, true);
        m_loggedInLatch = true;
    }
}

void CHeartbeat::ShowStatusLine(bool connected) {
    std::string text = CConnectionState::StatusText(connected, m_engine.IsLoggedIn());
    if (m_shownStatus == text)
        return;
    m_view->SetStatusLine(text);
    m_shownStatus = std::move(text);
}

void CHeartbeat::ShowTrayIcon() {
    const int picture = TrayIconPicture(m_icon, m_clock.WallSeconds());
    if (picture == m_shownTrayPicture)
        return;
    m_view->SetTrayIcon(picture);
    m_shownTrayPicture = picture;
}

void CHeartbeat::LoginFinished(bool success) {
    m_loginInProgress = false;
    SetIconBit(kIconLoginInProgress, false);
    if (success) {
        m_autoReLogin = true;
        m_reLoginNotBefore = INT64_MIN;
        return;
    }
    if (m_autoReLogin) {
        m_reLoginNotBefore = m_clock.WallSeconds() + kReLoginPauseSeconds;
        return;
    }
    m_messageBox.ShowMessage(kTextLoginFailed);
}

void CHeartbeat::PushFriendOnline(int qid) {
    m_friendOnline.Push(qid);
}

void CHeartbeat::PushNewMessage(int index) {
    m_newMessages.Push(index);
}

void CHeartbeat::LocalUserSwitching() {
    m_newMessages.Clear();
    m_friendOnline.Clear();
    if (m_view)
        m_view->LocalUserSwitching();
}

void CHeartbeat::LogInOrOut() {
    if (!m_data)
        return;
    if (m_engine.IsLoggedIn()) {
        // Cleared before the logout: the command turns the UI loop, and a tick
        // in between would otherwise log straight back in.
        m_autoReLogin = false;
        m_data->Logout();
        return;
    }
    const bool started = m_data->StartLogin() > 0;
    SetLoginInProgress(started);
    if (!started)
        m_messageBox.ShowMessage(kTextLoginFailed);
}

} // namespace murmex
