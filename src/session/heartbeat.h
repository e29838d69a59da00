#pragma once

#include "ports/ui_interfaces.h"
#include "session/event_queue.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <semaphore>
#include <string>

namespace murmex {

class IClock;
class CPeriodicTasks;
class CInternetConnection;
class CRequestEngine;
class IDataManagerPort;
class ICallCounterPort;
class IHeartbeatView;

// The client's 200 ms heartbeat: runs the periodic tasks, turns what the worker
// threads leave in its queues into windows one at a time, follows the Internet
// connection (calls, automatic login, local logout), keeps the login state and
// picks the status line and the tray picture. Tick runs on the UI thread and
// never waits; the sink operations are safe from any thread.
class CHeartbeat final : public IHeartbeatSink {
public:
    // After a failed automatic login the next one waits this long, so that a
    // server that is down or a refused stored password is not retried five
    // times a second.
    static constexpr int kReLoginPauseSeconds = 10;
    // How long the tray shows that a friend came online.
    static constexpr int kFriendEventSeconds = 10;

    CHeartbeat(const IClock& clock, CPeriodicTasks& tasks, const CInternetConnection& connection,
               const CRequestEngine& engine, IMessageBox& messageBox);
    CHeartbeat(const CHeartbeat&) = delete;
    CHeartbeat& operator=(const CHeartbeat&) = delete;

    // The data manager, the counter and the main bar exist later than the
    // heartbeat that the data manager reports to; ticks do nothing until then.
    void Attach(IDataManagerPort& data, ICallCounterPort& counter, IHeartbeatView& view);
    // The view is going away (the main bar at shutdown): ticks do nothing again
    // until the next Attach.
    void Detach();

    // One timer event.
    void Tick();

    // Worker threads report here.
    void LoginFinished(bool success) override;
    void PushFriendOnline(int qid) override;
    void PushNewMessage(int index) override;
    // Queued positions and friends belong to the old user's data: dropped.
    void LocalUserSwitching() override;

    // The main menu's "Zaloguj się" / "Wyloguj się".
    void LogInOrOut();
    bool IsLoginInProgress() const { return m_loginInProgress; }
    void SetLoginInProgress(bool inProgress);
    bool AutomaticReLogin() const { return m_autoReLogin; }
    int IconState() const { return m_icon; }

private:
    void SetIconBit(int bit, bool on);
    void HandleFriendOnlineQueue();
    void HandleNewMessageQueue();
    void UpdateFriendEventWindow();
    void HandlePendingFriends();
    void HandlePendingNewFriend(int qid);
    void HandlePendingVanishedFriend(int qid);
    bool WatchConnection();
    void WatchLogin(bool connected);
    void ShowStatusLine(bool connected);
    void ShowTrayIcon();
    bool ReLoginPauseOver() const;

    const IClock& m_clock;
    CPeriodicTasks& m_tasks;
    const CInternetConnection& m_connection;
    const CRequestEngine& m_engine;
    IMessageBox& m_messageBox;
    IDataManagerPort* m_data = nullptr;
    ICallCounterPort* m_counter = nullptr;
    IHeartbeatView* m_view = nullptr;

    std::atomic<int> m_icon{0};
    bool m_connectedLatch = false;
    bool m_loggedInLatch = false;
    std::atomic<bool> m_loginInProgress{false};
    std::atomic<bool> m_autoReLogin{false};
    // Wall second before which no automatic login starts again.
    std::atomic<std::int64_t> m_reLoginNotBefore{INT64_MIN};

    CEventQueue m_friendOnline;
    bool m_suppressFriendEvents = true;
    std::optional<std::int64_t> m_lastFriendEvent;
    CEventQueue m_newMessages;
    // Taken without waiting: a tick that runs inside one of the pending-friend
    // dialogs skips them, so the dialogs never nest.
    std::binary_semaphore m_eventLock{1};

    std::optional<std::string> m_shownStatus;
    int m_shownTrayPicture = -1;
};

} // namespace murmex
