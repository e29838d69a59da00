#pragma once

#include <functional>

namespace murmex {

class CDataManager;
class CPeriodicTasks;
class CUserRecord;
class IMessageBox;

// What becomes of a finished account wizard: the member's account made a local
// user of this computer and the current one. Used by the first run and by the
// main bar's "Dodaj nowego".

// How SetUpLocalAccount ended.
struct SAccountSetup {
    // The new current local user; 0 when the set-up failed (the reason was shown).
    int qid = 0;
    // The member was a local user of this computer before: the first-user
    // initialisation (a new group, the service's friends) is not for him again.
    bool wasLocalUser = false;
};

// Registers the account when it has no QID yet ("Nie mogę zarejestrować użytkownika w serwisie
// Murmex." on failure), adds the local user with its QID, or takes the local user that has it
// already ("Nie mogę zapisać użytkownika na tym komputerze." when there is none afterwards), gives
// it the wizard's password and remember-password choice, saves and makes it the current local user.
SAccountSetup SetUpLocalAccount(CUserRecord& account, CDataManager& data, IMessageBox& messageBox);

// The initialisation of a user new to this computer: logs in (asking for the
// password when none is kept) and, once logged in, makes the group "Wszyscy",
// adds the channel "dla wszystkich" to the favourites and files the service's
// friends in the first group. False when the login or the friends list failed.
bool InitialiseNewLocalUser(CDataManager& data);

// What follows the add-user wizard's "Zakończ" while the main bar is busy:
// SetUpLocalAccount, then the login (asking for the password when needed) and,
// for a user new to this computer, InitialiseNewLocalUser. True when the
// account became the current local user.
bool SetUpAddedAccount(CUserRecord& account, CDataManager& data, IMessageBox& messageBox);

// The main bar's side of a long operation.
struct SBusyHooks {
    std::function<void()> begin;
    std::function<void()> end;
};

// "Dodaj nowego" after the wizard ended with "Zakończ": busy and the background
// jobs suspended around SetUpAddedAccount; they resume and the busy state ends
// whatever happened.
bool AddLocalAccount(CUserRecord& account, CDataManager& data, CPeriodicTasks& tasks,
                     IMessageBox& messageBox, const SBusyHooks& busy);

} // namespace murmex
