#pragma once

#include <functional>
#include <string>
#include <string_view>

// The seams through which the core talks up to the windows. The GUI implements
// them; calls may come from worker threads, and the GUI's adapters marshal them
// to the UI thread. Texts passed up are UTF-8; everything else the core holds
// stays Windows-1250.
namespace murmex {

// The program's message box: the text and one "OK" button; it always answers OK.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void ShowMessage(std::string_view textUtf8) = 0;
};

// The password dialog of the login. Called from the login thread or the UI thread.
class IPasswordPrompt {
public:
    virtual ~IPasswordPrompt() = default;
    // False when the user cancelled; otherwise the typed password (Windows-1250).
    virtual bool AskPassword(int qid, std::string& password) = 0;
};

// What the data manager tells the friend tree. QIDs and group ids identify the items;
// the view asks the data manager for names and presence when it draws them.
class IFriendTreeView {
public:
    virtual ~IFriendTreeView() = default;
    virtual void TreeAddGroup(int groupId) = 0;
    virtual void TreeRemoveGroup(int groupId) = 0;
    virtual void TreeAddFriend(int groupId, int qid) = 0;
    virtual void TreeRemoveFriend(int qid) = 0;
    virtual void TreeUpdateFriend(int qid) = 0;
    virtual void TreeClear() = 0;
    virtual void TreeFriendHasNewMessage(int qid) = 0;
    virtual void TreeFriendMessageRead(int qid) = 0;
};

// The favourite channel list of the main bar.
class IFavouritesView {
public:
    virtual ~IFavouritesView() = default;
    virtual void FavouritesClear() = 0;
    virtual void FavouritesAdd(int channelId) = 0;
    virtual void FavouritesRemove(int channelId) = 0;
};

// What the worker threads leave for the heartbeat; every call is safe from any thread.
class IHeartbeatSink {
public:
    virtual ~IHeartbeatSink() = default;
    virtual void LoginFinished(bool success) = 0;
    // A friend's QID, or 0 as the marker that a synchronisation has finished.
    virtual void PushFriendOnline(int qid) = 0;
    // The position of a newly fetched message in the inbox.
    virtual void PushNewMessage(int index) = 0;
    // The local user is about to change (the main bar closes what belongs to the old one).
    virtual void LocalUserSwitching() = 0;
};

// The heartbeat's periodic task list.
class IPeriodicTasks {
public:
    virtual ~IPeriodicTasks() = default;
    virtual void RegisterPeriodicTask(std::function<void()> task, int intervalSeconds) = 0;
};

// Opening a document or web address with the user's default program.
class IDesktopShell {
public:
    virtual ~IDesktopShell() = default;
    // False when nothing could open it (or it was refused as unsafe).
    virtual bool OpenDocument(const std::string& pathOrUrl) = 0;
};

} // namespace murmex
