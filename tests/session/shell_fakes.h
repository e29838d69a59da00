#pragma once

#include "ports/data_manager_port.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "session/call_counter_port.h"
#include "session/heartbeat_view.h"
#include "support/fakes.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace murmex::test {

// The data manager as the heartbeat uses it; records every call in order.
class CFakeDataManager final : public IDataManagerPort {
public:
    explicit CFakeDataManager(CRequestEngine& engine) : m_engine(engine) {}

    int currentUser = 7;
    int startLoginResult = 1;
    bool unread = false;
    std::vector<int> pendingNew, pendingVanished;
    int addFriendResult = 1, removeFriendResult = 1, groupOf = 3;
    bool reAddResult = true;
    std::vector<std::string> calls;
    int startLogins = 0, logouts = 0;
    // Runs inside Logout: the UI loop a UI-mode command turns.
    std::function<void()> duringLogout;

    int StartLogin() override {
        ++startLogins;
        return startLoginResult;
    }
    bool Logout() override {
        ++logouts;
        if (duringLogout)
            duringLogout();
        m_engine.SetLoggedIn(false);
        return true;
    }
    bool HasUnreadMessages() const override { return unread; }
    int CurrentLocalUser() const override { return currentUser; }
    int NextPendingNewFriend() override { return Take(pendingNew); }
    int NextPendingVanishedFriend() override { return Take(pendingVanished); }
    int AddFriend(int qid, int groupId) override {
        calls.push_back("add " + std::to_string(qid) + " " + std::to_string(groupId));
        return addFriendResult;
    }
    int RemoveFriend(int qid, int groupId) override {
        calls.push_back("remove " + std::to_string(qid) + " " + std::to_string(groupId));
        return removeFriendResult;
    }
    int GroupOf(int) const override { return groupOf; }
    bool ReAddFriend(int qid) override {
        calls.push_back("readd " + std::to_string(qid));
        return reAddResult;
    }

private:
    static int Take(std::vector<int>& list) {
        if (list.empty())
            return 0;
        int qid = list.front();
        list.erase(list.begin());
        return qid;
    }
    CRequestEngine& m_engine;
};

class CFakeCallCounter final : public ICallCounterPort {
public:
    bool running = false;
    bool newSecond = true;
    int starts = 0, ends = 0, timerEvents = 0;
    std::string text = "00:00:01";

    void StartCall() override {
        ++starts;
        running = true;
    }
    bool EndCall() override {
        ++ends;
        const bool was = running;
        running = false;
        return was;
    }
    bool IsCallRunning() const override { return running; }
    bool TimerEvent() override {
        ++timerEvents;
        return newSecond;
    }
    std::string CounterText() const override { return text; }
};

class CFakeHeartbeatView final : public IHeartbeatView {
public:
    int blinks = 0;
    std::vector<int> readWindows, popups;
    std::vector<int> messageNotices, friendNotices;
    bool hidden = false;
    int showMainBar = 0;
    std::vector<std::string> statusLines, costLines;
    std::vector<int> trayPictures;
    int switching = 0;
    std::vector<int> askedNew, askedVanished;
    SNewFriendAnswer newAnswer{SNewFriendAnswer::kAdd, 4};
    EVanishedFriendAnswer vanishedAnswer = EVanishedFriendAnswer::kDelete;
    // Runs while a pending-friend dialog is open: its modal loop keeps ticking.
    std::function<void()> whileDialogOpen;

    void AdvanceTreeBlink() override { ++blinks; }
    void OpenReadWindow(int index) override { readWindows.push_back(index); }
    void OpenFriendOnlinePopup(int qid) override { popups.push_back(qid); }
    void NotifyNewMessage(int index) override { messageNotices.push_back(index); }
    void NotifyFriendOnline(int qid) override { friendNotices.push_back(qid); }
    SNewFriendAnswer AskNewFriend(int qid) override {
        askedNew.push_back(qid);
        if (whileDialogOpen)
            whileDialogOpen();
        return newAnswer;
    }
    EVanishedFriendAnswer AskVanishedFriend(int qid) override {
        askedVanished.push_back(qid);
        if (whileDialogOpen)
            whileDialogOpen();
        return vanishedAnswer;
    }
    bool IsMainBarHidden() override { return hidden; }
    void ShowMainBar() override {
        ++showMainBar;
        hidden = false;
    }
    void SetStatusLine(std::string_view text) override { statusLines.emplace_back(text); }
    void SetCostLine(std::string_view text) override { costLines.emplace_back(text); }
    void SetTrayIcon(int picture) override { trayPictures.push_back(picture); }
    void LocalUserSwitching() override { ++switching; }
};

} // namespace murmex::test
