#pragma once

#include "session/shell_texts.h"

#include <string_view>

// The texts of the friend tree, the favourite channel list and their menus
// (UTF-8), each defined once.
namespace murmex {

inline constexpr std::string_view kTextOpenWindow = "Otwórz okno";
// What a screen reader says of a friend's picture in the tree.
inline constexpr std::string_view kTextPresenceOffline = "niedostępny";
inline constexpr std::string_view kTextPresenceProgram = "dostępny";
inline constexpr std::string_view kTextPresenceChat = "na czacie";
inline constexpr std::string_view kTextPresenceChatAndProgram = "dostępny, na czacie";
inline constexpr std::string_view kTextPresenceUnread = "nieprzeczytane wiadomości";
inline constexpr std::string_view kTextPresenceLocalContact = "kontakt zapisany na tym komputerze";
// Shown in an empty list, saying how to fill it.
inline constexpr std::string_view kTextNoFriendsHint =
    "Nie masz jeszcze znajomych. Dodasz ich w menu Murmex: Znajomy, Dodaj znajomego.";
inline constexpr std::string_view kTextNoChannelsHint =
    "Nie masz ulubionych kanałów. Dodasz je w menu Murmex: Kanał, Dodaj kanał do ulubionych "
    "albo Szukaj kanału.";
inline constexpr std::string_view kTextRemove = "Usuń";
inline constexpr std::string_view kTextExpandGroup = "Rozwiń";
inline constexpr std::string_view kTextCollapseGroup = "Zwiń";
inline constexpr std::string_view kTextAddFriend = "Dodaj znajomego";
inline constexpr std::string_view kTextAddGroup = "Dodaj grupę";
inline constexpr std::string_view kTextRename = "Zmień nazwę";

inline constexpr std::string_view kTextEnterChannel = "Wejdź na kanał";
inline constexpr std::string_view kTextOperatorFunctions = "Funkcje operatorskie";
inline constexpr std::string_view kTextAddFavouriteChannel = "Dodaj kanał do ulubionych";
inline constexpr std::string_view kTextRemoveChannel = "Usuń kanał";
inline constexpr std::string_view kTextSearchChannel = "Szukaj kanału";

inline constexpr std::string_view kTextNewGroupPrompt = "Podaj nazwę nowej grupy:";

inline constexpr std::string_view kTextDropOnFriend =
    "Możesz skopiować lub przesunąć znajomego jedynie do innej grupy.";
inline constexpr std::string_view kTextDropOnSameGroup =
    "Nie możesz przesunąć ani skopiować znajomego do tej samej grupy.";
// The same refusal the main bar gives when removing a friend fails.
inline constexpr std::string_view kTextCannotDelFriend = kTextCannotRemoveFriend;

} // namespace murmex
