#pragma once

#include "model/user_record.h"

#include <functional>

namespace murmex {

class CDataManager;
class IMessageBox;

// The resource numbers by which the add-friend wizard's pages name each other.
enum EFriendInsertPage : int {
    kPageFriendQuestion = 314,
    kPageFriendIdentify = 316,
    kPageFriendLocal = 317,
    kPageFriendGroup = 328,
};

// What the add-friend wizard works with.
struct SFriendInsertServices {
    CDataManager& data;
    IMessageBox& messageBox;
    // Whether the computer is on the Internet now.
    std::function<bool()> internetUp;
};

// What the pages of one add-friend wizard fill together.
struct SFriendInsertState {
    explicit SFriendInsertState(SFriendInsertServices services, int givenGroup)
        : services(std::move(services)), givenGroup(givenGroup) {}

    bool HasGivenGroup() const { return givenGroup != 0; }
    // Where the friend goes: the group given in advance, else the chosen one.
    int TargetGroup() const { return HasGivenGroup() ? givenGroup : chosenGroup; }

    SFriendInsertServices services;
    // 0: none; the wizard then ends on the group page.
    int givenGroup = 0;
    // Page 1's answer: a member of the service (or a contact of this computer only).
    bool serviceUser = true;
    // The member found and checked on the identification page.
    int foundQid = 0;
    // The contact typed on the local-contact page.
    CUserRecord local;
    // The group page's choice.
    int chosenGroup = 0;
};

} // namespace murmex
