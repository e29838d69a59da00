#include "session/main_menu_rules.h"

namespace murmex {

SMainMenuEnabling MainMenuEnabling(const SMainMenuState& state) {
    SMainMenuEnabling result;
    result.enabled.fill(true);
    auto set = [&](EMenuCommand command, bool on) {
        result.enabled[static_cast<std::size_t>(command)] = on;
    };

    // A second login must not start while one is still under way; logging out
    // is always possible while the connection is up.
    set(EMenuCommand::Login, state.connected && !(state.loginInProgress && !state.loggedIn));
    set(EMenuCommand::Chat, state.connected);

    // Everything that talks to the service on the user's behalf needs a session.
    for (EMenuCommand command :
         {EMenuCommand::EditUser, EMenuCommand::SearchUsers, EMenuCommand::AddFavouriteChannel,
          EMenuCommand::SearchChannel, EMenuCommand::CreateChannel, EMenuCommand::SendProgram,
          EMenuCommand::Feedback})
        set(command, state.loggedIn);

    // Friends and groups belong to a local user.
    set(EMenuCommand::AddFriend, state.hasCurrentUser);
    set(EMenuCommand::AddGroup, state.hasCurrentUser);

    set(EMenuCommand::ChangeUser, state.localUserCount > 1);
    set(EMenuCommand::RemoveUser, state.localUserCount > 0);
    // A new user is registered with (or looked up on) the service.
    set(EMenuCommand::AddUser, state.connected);

    result.loggedOut = !state.loggedIn;
    result.disconnected = !state.connected;
    return result;
}

} // namespace murmex
