#pragma once

#include "model/user_record.h"
#include "session/app_context.h"

#include <chrono>

namespace murmex {

class CConnectionState;
class CInternetConnection;
class CRequestEngine;
class IMessageBox;

// The resource numbers by which the wizard pages and the account window's tabs
// name each other.
enum EAccountPage : int {
    kPageWelcome = 101,
    kPageRegistered = 135,
    kPageNewAccount = 140,
    kPagePersonal = 141,
    kPageProfile = 143,
    kPageFinal = 144,
    kPageInterests = 168,
    kPageOffline = 169,
    kPageExistingAccount = 170,
    kPageAddUserRegistered = 252,
    kTabBasic = 253,
    kTabDetails = 254,
    kTabStatistics = 255,
    kTabOtherStatistics = 256,
    kPageOptional = 396,
};

// What the wizard pages work with besides their own fields.
struct SWizardServices {
    CRequestEngine& engine;
    CInternetConnection& connection;
    const CConnectionState& connectionState;
    IMessageBox& messageBox;
    // The dialler only starts the link; this is how long it is given to come
    // up before the page says that it did not.
    std::chrono::milliseconds linkWait{45000};
};

// The services as the application hands them to its windows.
inline SWizardServices WizardServicesOf(SAppContext& ctx) {
    return SWizardServices{ctx.engine, ctx.connection, ctx.connectionState, ctx.messageBox};
}

// What the pages of one wizard fill together: the account and the answer to
// "already registered?".
struct SWizardState {
    explicit SWizardState(SWizardServices services) : services(services) {}

    SWizardServices services;
    CUserRecord user;
    bool alreadyRegistered = false;
};

} // namespace murmex
