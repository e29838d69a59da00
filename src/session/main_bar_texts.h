#pragma once

#include <string_view>

// The texts of the main bar, its menu, the options dialog and the hint of the
// day (UTF-8), each defined once. Numbers are the string ids where the menus
// refer to them.
namespace murmex {

// --- main bar (its button reads the program's name, session/app_texts.h)
inline constexpr std::string_view kTextFriendsView = "Znajomi";
inline constexpr std::string_view kTextChannelsView = "Ulubione kanały";
// The tab strip that switches between the two, as a screen reader names it.
inline constexpr std::string_view kTextViewTabs = "Listy znajomych i kanałów";
inline constexpr std::string_view kTextCannotChangeChannel = "Nie mogę zmienić kanału.";
inline constexpr std::string_view kTextUnableToRegister =
    "Nie mogę zarejestrować użytkownika w serwisie Murmex.";

// --- main menu: the owner-drawn items
inline constexpr std::string_view kTextMenuFriends = "Znajomy";             // 180
inline constexpr std::string_view kTextMenuChannels = "Kanał";              // 179
inline constexpr std::string_view kTextMenuUser = "Użytkownik";             // 151
inline constexpr std::string_view kTextMenuHelp = "Pomoc";                  // 220
inline constexpr std::string_view kTextMenuCounter = "Licznik modemowy";    // 166
inline constexpr std::string_view kTextMenuOptions = "Opcje";               // 187
inline constexpr std::string_view kTextMenuConnect = "Połącz z Internetem"; // 147
inline constexpr std::string_view kTextMenuDisconnect = "Rozłącz";          // 148
inline constexpr std::string_view kTextMenuLogin = "Zaloguj się";           // 149
inline constexpr std::string_view kTextMenuLogout = "Wyloguj się";          // 150
inline constexpr std::string_view kTextMenuExit = "Koniec";                 // 104

// --- main menu: the plain items (those the trees' menus share are in
// friends/tree_texts.h)
inline constexpr std::string_view kTextMenuSearchUsers = "Szukaj";
inline constexpr std::string_view kTextMenuSendProgram = "Wyślij program Murmex";
inline constexpr std::string_view kTextMenuCreateChannel = "Załóż kanał";
inline constexpr std::string_view kTextMenuChangeUser = "Zmień użytkownika";
inline constexpr std::string_view kTextMenuEditUser = "Edycja danych użytkownika";
inline constexpr std::string_view kTextMenuAddUser = "Dodaj nowego";
inline constexpr std::string_view kTextMenuRemoveUser = "Usuń użytkownika z komputera";
inline constexpr std::string_view kTextMenuMessages = "Wiadomości";
inline constexpr std::string_view kTextMenuChat = "Czat";
inline constexpr std::string_view kTextMenuAbout = "O programie";
inline constexpr std::string_view kTextMenuFeedback = "Wyślij swoje uwagi";

// --- about box (its texts are ours to choose)
inline constexpr std::string_view kTextAboutTitle = "O programie Murmex";
inline constexpr std::string_view kTextAboutBody =
    "Murmex – znajomi, wiadomości, SMS-y i kanały czatu w jednym małym oknie, "
    "z licznikiem kosztów połączeń modemowych.";
inline constexpr std::string_view kTextAboutVersion = "Wersja %1";

// --- options dialog
inline constexpr std::string_view kTextOptWindowGroup = "Okno";
inline constexpr std::string_view kTextOptDocked = "Przesuwaj wszystkie inne okna na bok";
inline constexpr std::string_view kTextOptFloating = "Normalne okno";
inline constexpr std::string_view kTextOptOnTop = "Zawsze na wierzchu";
inline constexpr std::string_view kTextOptConnectionGroup = "Połączenie z Internetem";
inline constexpr std::string_view kTextOptLan = "Sieć lokalna";
inline constexpr std::string_view kTextOptFriendGroup = "Przy wejściu znajomego na czat";
inline constexpr std::string_view kTextOptOpenWindow = "Otwórz okno z informacją.";
inline constexpr std::string_view kTextOptShowList = "Pokaż listę znajomych.";
inline constexpr std::string_view kTextOptListsGroup = "Lista znajomych i kanałów";
inline constexpr std::string_view kTextOptMouseButton = "Obsługa klawiszem myszki:";
inline constexpr std::string_view kTextOptLeft = "Lewym";
inline constexpr std::string_view kTextOptRight = "Prawym";
inline constexpr std::string_view kTextOptSmsGroup = "Wysyłanie SMS-ów";
inline constexpr std::string_view kTextOptTwoNumbers = "Gdy istnieją dwa numery, używaj:";
inline constexpr std::string_view kTextOptLocal = "Lokalnego";
inline constexpr std::string_view kTextOptRemote = "Zdalnego";
inline constexpr std::string_view kTextOptMessageGroup = "Przy nadejściu nowej wiadomości:";
inline constexpr std::string_view kTextOptOpenMessage = "Otwórz okno z wiadomością.";
// A new message or a friend online also tells the desktop while the bar is hidden or underneath.
inline constexpr std::string_view kTextOptDesktopNotices = "Powiadomienia na pulpicie";

// --- desktop notices
inline constexpr std::string_view kTextNoticeRead = "Czytaj";
inline constexpr std::string_view kTextNoticeShow = "Pokaż";
inline constexpr std::string_view kTextNoticeFriendOnline = "Pojawił(a) się na czacie.";

// --- hint of the day
inline constexpr std::string_view kTextHintToday = "Dzisiejsza podpowiedź:";
inline constexpr std::string_view kTextHintPrevious = "< Poprzedni";
inline constexpr std::string_view kTextHintNext = "Następny >";
inline constexpr std::string_view kTextHintDisable = "Nie pokazuj tego okna nigdy więcej.";

} // namespace murmex
