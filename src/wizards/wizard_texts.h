#pragma once

#include <string_view>

// The texts of the account wizards and the account window (UTF-8), each defined
// once. The numbers are the string ids the pages report their refusals by.
// Shared texts live with their first owner: "Sieć lokalna" and the refused
// registration in session/main_bar_texts.h, the refused local user in
// session/app_texts.h, string 117 in session/shell_texts.h.
namespace murmex::wizard_texts {

// --- refusals of the pages
inline constexpr std::string_view kNoConnectionChosen = // 219
    "Musisz wybrać jedno z połączeń internetowych.";
inline constexpr std::string_view kCannotDial = "Nie mogę połączyć się z Internetem."; // 202
inline constexpr std::string_view kPasswordsDiffer =                                   // 109
    "Wprowadzone hasła nie są identyczne. Wprowadź jeszcze raz.";
inline constexpr std::string_view kNickEmailRequired = // 118
    "Wypełnienie pól nick i e-mail jest konieczne do zarejestrowania użytkownika.";
inline constexpr std::string_view kNickEmailTaken = // 123
    "Istnieje już użytkownik o podanym nicku i e-mailu. Wprowadź inne dane.";
inline constexpr std::string_view kIdentifyRefused = // 124
    "Nie istnieje użytkownik o podanym haśle. Wprowadź jeszcze raz.";

// --- the welcome page (101)
inline constexpr std::string_view kWelcomeTitle = "Witamy w serwisie Murmex!";
inline constexpr std::string_view kWelcomeIntro =
    "Ten kreator poprowadzi Cię przez rejestrację w serwisie oraz ustawienia programu.";
inline constexpr std::string_view kWelcomeChooseConnection =
    "Wybierz połączenie, za pomocą którego łączysz się z Internetem.";

// --- the already-registered question (135, 252)
inline constexpr std::string_view kRegisteredQuestion =
    "Czy jesteś już zarejestrowanym użytkownikiem serwisu Murmex?";
inline constexpr std::string_view kRegisteredNo = "Nie (ustawienie domyślne)";
inline constexpr std::string_view kRegisteredYes = "Tak";
inline constexpr std::string_view kRegisteredNote =
    "Jeżeli wybierzesz \"Tak\", zalogujesz się jako istniejący użytkownik zamiast rejestrować "
    "się ponownie.";
inline constexpr std::string_view kAddUserRegisteredNote =
    "Jeżeli jesteś już zarejestrowanym użytkownikiem, to wystarczy przeprowadzić autoryzację, "
    "abyś mógł zarządzać swoim kontem na tym komputerze.";

// --- not connected (169)
inline constexpr std::string_view kOfflineNotice =
    "Twój komputer nie jest teraz połączony z Internetem, a rejestracja i logowanie w serwisie "
    "wymagają połączenia. Połącz się, a następnie kliknij \"Dalej >\".";
inline constexpr std::string_view kDialButton = "Łącz z Internetem";

// --- the account pages (140, 170)
inline constexpr std::string_view kNewAccountIntro = "Podaj dane swojego nowego konta.";
inline constexpr std::string_view kExistingAccountIntro =
    "Podaj dane konta, na którym jesteś już zarejestrowany.";
inline constexpr std::string_view kNick = "Nick:";
inline constexpr std::string_view kEmail = "E-mail:";
inline constexpr std::string_view kPassword = "Hasło:";
inline constexpr std::string_view kPasswordAgain = "Powtórz hasło:";
inline constexpr std::string_view kRememberPassword =
    "Czy chcesz, abym zapamiętał Twoje hasło i przy każdym logowaniu automatycznie je wprowadzał?";

// --- the optional-data notice (396)
inline constexpr std::string_view kOptionalTitle = "Dane nieobowiązkowe";
inline constexpr std::string_view kOptionalNotice =
    "Dane, o które zapytamy na kolejnych stronach, nie są obowiązkowe. Pomagają jednak innym "
    "użytkownikom znaleźć w Tobie nowego znajomego: według zainteresowań, wieku i miejsca "
    "zamieszkania. Możesz je pominąć, klikając \"Dalej >\".";

// --- personal data (141, tab 254)
inline constexpr std::string_view kPersonalIntro = "Podaj swoje dane personalne.";
inline constexpr std::string_view kName = "Imię:";
inline constexpr std::string_view kSurname = "Nazwisko:";
inline constexpr std::string_view kBorn = "Data urodzenia:";
inline constexpr std::string_view kSex = "Płeć:";
inline constexpr std::string_view kFemale = "Kobieta";
inline constexpr std::string_view kMale = "Mężczyzna";
inline constexpr std::string_view kStreet = "Ulica:";
inline constexpr std::string_view kCity = "Miasto:";
inline constexpr std::string_view kCountry = "Kraj:";
inline constexpr std::string_view kWebPage = "Strona WWW:";
inline constexpr std::string_view kPhone = "Telefon:";
inline constexpr std::string_view kMobile = "Tel. kom.:";
inline constexpr std::string_view kMobileCountryCode = "+48";
inline constexpr std::string_view kHide = "Ukryj";

// --- profile (143, tab 255) and interests (168, tab 256)
inline constexpr std::string_view kProfileIntro = "Powiedz nam coś więcej o sobie.";
inline constexpr std::string_view kCitySize = "Wielkość miasta:";
inline constexpr std::string_view kJob = "Zawód:";
inline constexpr std::string_view kEducation = "Wykształcenie:";
inline constexpr std::string_view kLanguages = "Znajomość języków:";
inline constexpr std::string_view kInterestsIntro = "Wybierz swoje zainteresowania:";

// --- the final page (144)
inline constexpr std::string_view kFinalCollected =
    "Kreator zebrał już wszystkie informacje, których potrzebował.";
inline constexpr std::string_view kFinalThanks =
    "Dziękujemy! Kliknij \"Zakończ\", aby zapisać konto na tym komputerze i zacząć korzystać "
    "z serwisu Murmex.";

// --- the account window (253-256)
inline constexpr std::string_view kTabBasic = "Podstawowe";
inline constexpr std::string_view kTabDetails = "Szczegółowe";
inline constexpr std::string_view kTabStatistics = "Statystyczne";
inline constexpr std::string_view kTabOtherStatistics = "Inne statystyczne";
inline constexpr std::string_view kYourQid = "Twój QID:";
inline constexpr std::string_view kPasswordGroup = "Zmiana hasła";
inline constexpr std::string_view kOldPassword = "Stare hasło:";
inline constexpr std::string_view kNewPassword = "Nowe hasło:";
inline constexpr std::string_view kNewPasswordAgain = "Nowe hasło jeszcze raz:";
inline constexpr std::string_view kKeepPassword = "Zapamiętaj hasło na tym komputerze";
inline constexpr std::string_view kChangePassword = "Zmień";
inline constexpr std::string_view kWrongOldPassword = "Wprowadzone hasło nie jest poprawne!"; // 185
inline constexpr std::string_view kPasswordChanged = "Zmiana hasła powiodła się.";
inline constexpr std::string_view kPasswordNotChanged = "Zmiana hasła nie powiodła się.";
inline constexpr std::string_view kCannotUpdate = "Nie mogę zapisać zmian w serwisie Murmex.";

} // namespace murmex::wizard_texts
