#pragma once

namespace murmex {

// What the heartbeat needs from the data manager. The names are the data
// manager's own, so that it can implement this directly.
class IDataManagerPort {
public:
    virtual ~IDataManagerPort() = default;

    // Starts the login on its own thread: 1 when started (a local user is
    // current), else 0. The end is reported through LoginFinished.
    virtual int StartLogin() = 0;
    // Logs out on the service (CMD_LOGOUT); true when the service agreed.
    virtual bool Logout() = 0;
    virtual bool HasUnreadMessages() const = 0;
    virtual int CurrentLocalUser() const = 0;

    // The friend-list differences the synchronisation found, one at a time; 0
    // when there is none.
    virtual int NextPendingNewFriend() = 0;
    virtual int NextPendingVanishedFriend() = 0;

    // 1 when done; 0 or less on failure or refusal.
    virtual int AddFriend(int qid, int groupId) = 0;
    // Group 0 only asks the service to drop the friend.
    virtual int RemoveFriend(int qid, int groupId) = 0;
    // The first group that holds the friend, or 0.
    virtual int GroupOf(int qid) const = 0;
    // Asks the service to list a friend again that it has dropped
    // (CMD_ADD_FRIEND); true on success.
    virtual bool ReAddFriend(int qid) = 0;
};

} // namespace murmex
