#pragma once

#include <string_view>

// The texts of the start-up and shutdown windows (UTF-8), each defined once.
// The numbers are the string ids other windows refer to them by.
namespace murmex {

inline constexpr std::string_view kTextProgramName = "Murmex";

// String 103: the network layer could not be started.
inline constexpr std::string_view kTextNoNetworkLayer = "Nie mogę załadować obsługi sieciowej.";
// Help asked for where no program opens its pages; the page follows.
inline constexpr std::string_view kTextNoHelpViewer =
    "Nie mogę otworzyć pomocy: w systemie nie ma programu, który otworzy stronę";
// A second start on the same data folder when the running copy does not answer.
inline constexpr std::string_view kTextAlreadyRunning =
    "Murmex już działa z tym folderem danych, ale nie odpowiada. Zamknij go albo zaczekaj "
    "chwilę i spróbuj ponownie. Folder danych:";

inline constexpr std::string_view kTextPersonalizing = "Trwa personalizacja ustawień ...";

// The question about starting with the desktop session.
inline constexpr std::string_view kTextAutorunExplain =
    "Aby móc w pełni wykorzystać możliwości programu Murmex, powinien on być uruchamiany przy "
    "każdym starcie systemu.";
inline constexpr std::string_view kTextAutorunQuestion =
    "Czy chcesz, aby Murmex był uruchamiany przy każdym starcie systemu?";
inline constexpr std::string_view kTextAutorunDontAsk = "Nie pokazuj tego pytania więcej.";

inline constexpr std::string_view kTextChooseUserIntro =
    "Na tym systemie został zarejestrowany więcej niż jeden użytkownik.";
inline constexpr std::string_view kTextChooseUserPrompt =
    "Wybierz użytkownika, jako który chcesz się zalogować.";
inline constexpr std::string_view kTextChooseUserMissing = "Musisz wybrać użytkownika!";

inline constexpr std::string_view kTextDeleteUserPrompt = "Wybierz użytkownika do usunięcia:";
// String 207.
inline constexpr std::string_view kTextDeleteUserMissing =
    "Musisz wybrać użytkownika do skasowania, aby kontynuować.";
// Asked before a local user goes; the user's display text follows, then the
// second half.
inline constexpr std::string_view kTextDeleteUserConfirm = "Czy na pewno usunąć użytkownika ";
inline constexpr std::string_view kTextDeleteUserConfirmTail =
    " z tego komputera? Jego znajomi i wiadomości zapisane na tym komputerze przepadną.";

inline constexpr std::string_view kTextPasswordPrompt = "Podaj hasło do serwisu Murmex:";

inline constexpr std::string_view kTextGroupChoicePrompt = "Do jakiej grupy mam dodać znajomego?";

inline constexpr std::string_view kTextFeedbackIntro =
    "Jeżeli chcesz się z nami podzielić swoją opinią na temat programu Murmex, masz "
    "jakieś uwagi, chciałbyś coś dodać lub zmienić, napisz do nas. Twoje opinie zostaną "
    "uwzględnione przy "
    "projektowaniu kolejnej wersji programu Murmex.";
inline constexpr std::string_view kTextFeedbackSend = "Wyślij";
// String 168: a message did not go, to a member or to the service.
inline constexpr std::string_view kTextCannotSendMessage = "Nie mogę wysłać wiadomości!";

inline constexpr std::string_view kTextExitWarning =
    "Jest aktywne połączenie z Internetem. Jeżeli teraz zamkniesz aplikację, to licznik opłat nie "
    "będzie mógł liczyć czasu połączenia.";
inline constexpr std::string_view kTextExitQuestion = "Czy naprawdę chcesz zakończyć?";

// The first-run set-up could not add the new local user ("Nie mogę zarejestrować użytkownika w
// serwisie Murmex." is the main bar's, which shares it with its own new-user flow).
inline constexpr std::string_view kTextUnableToAddLocal =
    "Nie mogę zapisać użytkownika na tym komputerze.";

} // namespace murmex
