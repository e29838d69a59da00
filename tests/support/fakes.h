#pragma once

#include "platform/clock.h"
#include "platform/dial_up_platform.h"
#include "ports/ui_interfaces.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The fakes every test folder shares: time, the system's dial-up services and
// the windows the core talks up to. Each is safe to call from any thread and
// remembers what it was told. Core only: no Qt.
namespace murmex::test {

// Time that moves only when a test moves it. Monotonic time follows the wall
// clock (plus whatever AdvanceMs adds) unless made independent, when only
// AdvanceMs moves it.
class CFakeClock final : public IClock {
public:
    explicit CFakeClock(std::int64_t wallSeconds = 1000000000, bool monotonicFollowsWall = true)
        : now(wallSeconds), m_follow(monotonicFollowsWall) {}

    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override {
        return (m_follow ? now * 1000 : 0) + m_extraMs.load();
    }
    void Set(std::int64_t seconds) { now = seconds; }
    void SetWall(std::int64_t seconds) { now = seconds; }
    void Advance(std::int64_t seconds) { now += seconds; }
    void AdvanceMs(std::int64_t ms) { m_extraMs += ms; }

    std::atomic<std::int64_t> now;

private:
    const bool m_follow;
    std::atomic<std::int64_t> m_extraMs{0};
};

// Every call as one short text, in order.
class CCallLog {
public:
    void Add(std::string call) {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    std::vector<std::string> Calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    void Reset() {
        std::lock_guard lock(m_mutex);
        m_calls.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

// The texts shown, in order.
class CFakeMessageBox final : public IMessageBox, public CCallLog {
public:
    void ShowMessage(std::string_view text) override { Add(std::string(text)); }
    std::vector<std::string> Shown() const { return Calls(); }
};

// The documents and addresses handed to the desktop; answers `opens`.
class CFakeShell final : public IDesktopShell, public CCallLog {
public:
    bool OpenDocument(const std::string& pathOrUrl) override {
        Add(pathOrUrl);
        return opens;
    }
    std::vector<std::string> Opened() const { return Calls(); }
    std::atomic<bool> opens{true};
};

// Answers with the scripted passwords in turn; cancels when they run out.
// `whileAsked` runs inside each question, after the answer is taken.
class CFakePrompt final : public IPasswordPrompt {
public:
    bool AskPassword(int, std::string& password) override {
        ++asked;
        bool answered = false;
        {
            std::lock_guard lock(m_mutex);
            if (!answers.empty()) {
                password = answers.front();
                answers.pop_front();
                answered = true;
            }
        }
        if (whileAsked)
            whileAsked();
        return answered;
    }
    std::deque<std::string> answers;
    std::atomic<int> asked{0};
    std::function<void()> whileAsked;

private:
    std::mutex m_mutex;
};

// The system's network and dial-up services. `online` is the default route.
// A dial is recorded ("pon NAME", "pon", "poff -a") and answers `dialSucceeds`;
// with `dialBringsLink` a successful dial brings the network up. Dialling may
// be held back with HoldDialling() until ReleaseDialling() (bounded), to catch
// a dial in progress.
class CFakeDialUpPlatform final : public IDialUpPlatform {
public:
    std::atomic<bool> online{false};
    std::atomic<bool> dialSucceeds{true};
    std::atomic<bool> dialBringsLink{false};
    std::vector<std::string> peers;
    bool linksReadable = true;
    std::vector<SActiveLink> links;
    std::vector<std::string> runningInterfaces;

    bool HasDefaultRoute() override { return online; }
    std::vector<std::string> ListPeers() override { return peers; }
    bool ListActiveLinks(std::vector<SActiveLink>& out) override {
        out = links;
        return linksReadable;
    }
    bool IsInterfaceRunning(const std::string& name) override {
        for (const auto& running : runningInterfaces)
            if (running == name)
                return true;
        return false;
    }
    bool Dial(const std::string& peer) override { return Record("pon " + peer); }
    bool AutoDial() override { return Record("pon"); }
    bool HangUp() override { return Record("poff -a"); }

    void HoldDialling() {
        std::lock_guard lock(m_mutex);
        m_held = true;
    }
    void ReleaseDialling() {
        {
            std::lock_guard lock(m_mutex);
            m_held = false;
        }
        m_changed.notify_all();
    }
    // Bounded wait until `count` helpers have been started.
    bool WaitForCalls(std::size_t count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10),
                                  [&] { return m_started.size() >= count; });
    }
    std::vector<std::string> Calls() {
        std::lock_guard lock(m_mutex);
        return m_started;
    }

private:
    bool Record(const std::string& call) {
        {
            std::unique_lock lock(m_mutex);
            m_started.push_back(call);
            m_changed.notify_all();
            m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return !m_held; });
        }
        const bool succeeded = dialSucceeds;
        if (succeeded && dialBringsLink)
            online = true;
        return succeeded;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    std::vector<std::string> m_started;
};

class CFakeTree final : public IFriendTreeView, public CCallLog {
public:
    void TreeAddGroup(int g) override { Add("group " + std::to_string(g)); }
    void TreeRemoveGroup(int g) override { Add("remove-group " + std::to_string(g)); }
    void TreeAddFriend(int g, int q) override {
        Add("friend " + std::to_string(g) + " " + std::to_string(q));
    }
    void TreeRemoveFriend(int q) override { Add("remove " + std::to_string(q)); }
    void TreeUpdateFriend(int q) override { Add("update " + std::to_string(q)); }
    void TreeClear() override { Add("clear"); }
    void TreeFriendHasNewMessage(int q) override { Add("blink " + std::to_string(q)); }
    void TreeFriendMessageRead(int q) override { Add("read " + std::to_string(q)); }
};

class CFakeFavourites final : public IFavouritesView, public CCallLog {
public:
    void FavouritesClear() override { Add("clear"); }
    void FavouritesAdd(int id) override { Add("add " + std::to_string(id)); }
    void FavouritesRemove(int id) override { Add("remove " + std::to_string(id)); }
};

class CFakeSink final : public IHeartbeatSink {
public:
    void LoginFinished(bool success) override {
        std::lock_guard lock(m_mutex);
        m_login = success;
        m_cv.notify_all();
    }
    void PushFriendOnline(int qid) override {
        std::lock_guard lock(m_mutex);
        m_friendOnline.push_back(qid);
    }
    void PushNewMessage(int index) override {
        std::lock_guard lock(m_mutex);
        m_newMessages.push_back(index);
    }
    void LocalUserSwitching() override { ++switching; }

    // The login's outcome, waited for (bounded).
    std::optional<bool> WaitLogin() {
        std::unique_lock lock(m_mutex);
        m_cv.wait_for(lock, std::chrono::seconds(10), [this] { return m_login.has_value(); });
        return m_login;
    }
    std::vector<int> FriendOnline() {
        std::lock_guard lock(m_mutex);
        return m_friendOnline;
    }
    std::vector<int> NewMessages() {
        std::lock_guard lock(m_mutex);
        return m_newMessages;
    }
    std::atomic<int> switching{0};

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::optional<bool> m_login;
    std::vector<int> m_friendOnline;
    std::vector<int> m_newMessages;
};

class CFakeTasks final : public IPeriodicTasks {
public:
    void RegisterPeriodicTask(std::function<void()> task, int interval) override {
        tasks.push_back(std::move(task));
        intervals.push_back(interval);
    }
    std::vector<std::function<void()>> tasks;
    std::vector<int> intervals;
};

} // namespace murmex::test
