#pragma once

#include <array>
#include <cstddef>

namespace murmex {

// Every command of the main menu, top to bottom, submenu entries where their
// submenu stands.
enum class EMenuCommand : int {
    AddFriend,
    AddGroup,
    SearchUsers,
    SendProgram,
    AddFavouriteChannel,
    SearchChannel,
    CreateChannel,
    Counter,
    ChangeUser,
    EditUser,
    AddUser,
    RemoveUser,
    Messages,
    Chat,
    Options,
    Connection,
    Login,
    Help,
    About,
    Feedback,
    Exit,
};
inline constexpr std::size_t kMenuCommandCount = static_cast<std::size_t>(EMenuCommand::Exit) + 1;

// What the menu's enabling depends on, read each time the menu opens.
struct SMainMenuState {
    bool connected = false;
    bool loggedIn = false;
    bool loginInProgress = false;
    bool hasCurrentUser = false;
    int localUserCount = 0;
};

// The result: which commands may be chosen and which text the two toggle
// items show.
struct SMainMenuEnabling {
    std::array<bool, kMenuCommandCount> enabled{};
    bool loggedOut = true;    // "Zaloguj się" rather than "Wyloguj się"
    bool disconnected = true; // "Połącz z Internetem" rather than "Rozłącz"

    bool IsEnabled(EMenuCommand command) const {
        return enabled[static_cast<std::size_t>(command)];
    }
};

SMainMenuEnabling MainMenuEnabling(const SMainMenuState& state);

} // namespace murmex
