#pragma once

#include "platform/clock.h"
#include "ports/ui_interfaces.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Fakes for the windows the data model talks up to; every one is safe to call
// from any thread and remembers what it was told.
namespace murmex::test {

class CFixedClock final : public IClock {
public:
    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override { return now * 1000; }
    std::atomic<std::int64_t> now{1000000000};
};

// Every call as one short text, in order; safe from any thread.
class CCallLog {
public:
    void Add(std::string call) {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    std::vector<std::string> Calls() {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    void Reset() {
        std::lock_guard lock(m_mutex);
        m_calls.clear();
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_calls;
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

// Answers with the scripted passwords in turn; cancels when they run out.
class CFakePrompt final : public IPasswordPrompt {
public:
    bool AskPassword(int, std::string& password) override {
        ++asked;
        std::lock_guard lock(m_mutex);
        if (answers.empty())
            return false;
        password = answers.front();
        answers.pop_front();
        return true;
    }
    std::deque<std::string> answers;
    std::atomic<int> asked{0};

private:
    std::mutex m_mutex;
};

class CFakeMessageBox final : public IMessageBox, public CCallLog {
public:
    void ShowMessage(std::string_view text) override { Add(std::string(text)); }
};

class CFakeShell final : public IDesktopShell, public CCallLog {
public:
    bool OpenDocument(const std::string& path) override {
        Add(path);
        return true;
    }
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
