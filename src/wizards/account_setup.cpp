#include "wizards/account_setup.h"

#include "model/data_manager.h"
#include "model/user_record.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "session/app_texts.h"
#include "session/main_bar_texts.h"
#include "session/periodic_tasks.h"

namespace murmex {

SAccountSetup SetUpLocalAccount(CUserRecord& account, CDataManager& data, IMessageBox& messageBox) {
    SAccountSetup result;
    // A member who identified himself comes with his QID; a new one gets it now.
    if (!account.HasQid() && !account.Register(data.Engine())) {
        messageBox.ShowMessage(kTextUnableToRegister);
        return result;
    }
    const int qid = account.Qid();
    result.wasLocalUser = data.LocalUser(qid) != nullptr;
    if (!result.wasLocalUser)
        data.AddLocalUser(qid);
    CDataManager::User local = data.LocalUser(qid);
    if (!local) {
        messageBox.ShowMessage(kTextUnableToAddLocal);
        return result;
    }
    // Only the password and the choice to keep it come from the wizard: the
    // brief data were just fetched from the service, and a member who only
    // identified himself typed nothing else (copying his bare record would
    // leave the local user without a name on disk).
    local->SetSavePassword(account.SavePassword());
    if (account.HasPassword())
        local->SetPassword(account.Password());
    local->SetLocalUser(true);
    data.Save();
    // Switching logs the old user out and, had he been logged in, the new one
    // in at once, before we could hand over the password below; the callers
    // log in themselves afterwards.
    if (data.Engine().IsLoggedIn())
        data.Logout();
    data.SwitchLocalUser(qid);
    // Switching reads the local users back from disk, where a password the
    // user chose not to keep is not: he typed it a moment ago, so it stays
    // for this run instead of being asked for again.
    if (CDataManager::User current = data.LocalUser(qid); current && account.HasPassword())
        current->SetPassword(account.Password());
    result.qid = qid;
    return result;
}

bool InitialiseNewLocalUser(CDataManager& data) {
    return data.ImportServerFriends();
}

bool SetUpAddedAccount(CUserRecord& account, CDataManager& data, IMessageBox& messageBox) {
    const SAccountSetup setup = SetUpLocalAccount(account, data, messageBox);
    if (setup.qid == 0)
        return false;
    if (!setup.wasLocalUser)
        InitialiseNewLocalUser(data);
    else if (!data.Engine().IsLoggedIn())
        // His groups and friends are here already; he only needs to be logged in.
        data.QuietLogin();
    return true;
}

bool AddLocalAccount(CUserRecord& account, CDataManager& data, CPeriodicTasks& tasks,
                     IMessageBox& messageBox, const SBusyHooks& busy) {
    if (busy.begin)
        busy.begin();
    // No synchronisation or fetch may run for a user who is half set up.
    tasks.SuspendPeriodicTasks();
    const bool done = SetUpAddedAccount(account, data, messageBox);
    tasks.ResumePeriodicTasks();
    if (busy.end)
        busy.end();
    return done;
}

} // namespace murmex
