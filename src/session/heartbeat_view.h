#pragma once

#include <string_view>

namespace murmex {

// The new-friend dialog's outcome: add into a group, reject on the service, or
// closed without a decision.
struct SNewFriendAnswer {
    enum EKind { kAdd, kReject, kClosed };
    EKind kind = kClosed;
    int groupId = 0; // for kAdd
};

// The vanished-friend dialog's outcome; closing it counts as adding back.
enum class EVanishedFriendAnswer { kDelete, kAddBack };

// Everything a heartbeat tick shows or opens. Called on the UI thread only,
// except LocalUserSwitching, which comes from wherever the switch is made.
class IHeartbeatView {
public:
    virtual ~IHeartbeatView() = default;

    // The friend tree's unread-message blink moves on one step.
    virtual void AdvanceTreeBlink() = 0;
    // Opens the read window on the inbox entry at this position and shows it.
    virtual void OpenReadWindow(int messageIndex) = 0;
    // The modeless "friend appeared on the chat" pop-up; several may be open.
    virtual void OpenFriendOnlinePopup(int qid) = 0;
    // A new message at this inbox position, or a friend who came online: the
    // desktop hears of it too, whatever the options say about windows (the
    // view decides whether the user would see the event without it).
    virtual void NotifyNewMessage(int messageIndex) = 0;
    virtual void NotifyFriendOnline(int qid) = 0;

    // The modal pending-friend dialogs; they return when the user has decided.
    virtual SNewFriendAnswer AskNewFriend(int qid) = 0;
    virtual EVanishedFriendAnswer AskVanishedFriend(int qid) = 0;

    virtual bool IsMainBarHidden() = 0;
    virtual void ShowMainBar() = 0;
    virtual void SetStatusLine(std::string_view textUtf8) = 0;
    virtual void SetCostLine(std::string_view textUtf8) = 0;
    // One of the tray pictures of tray_icon_picture.h.
    virtual void SetTrayIcon(int picture) = 0;

    // The local user is about to change: close what belongs to the old one.
    virtual void LocalUserSwitching() = 0;
};

} // namespace murmex
