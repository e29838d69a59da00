#pragma once

#include <string_view>

// The add-friend wizard's and the user search's own texts (UTF-8), each defined once.
namespace murmex {

// --- the add-friend wizard
inline constexpr std::string_view kTextAddFriendTitle = "Dodaj znajomego";
inline constexpr std::string_view kTextFriendRegisteredQuestion =
    "Czy Twój znajomy jest zarejestrowanym użytkownikiem serwisu Murmex?";
inline constexpr std::string_view kTextFriendIdentifyPrompt =
    "Podaj dane Twojego znajomego umożliwiające jego identyfikację.";
inline constexpr std::string_view kTextByQid = "QID";
inline constexpr std::string_view kTextByNickEmail = "Nick i e-mail";
inline constexpr std::string_view kTextQidLabel = "QID:";
inline constexpr std::string_view kTextNickLabel = "Nick:";
inline constexpr std::string_view kTextEmailLabel = "E-mail:";
inline constexpr std::string_view kTextLocalContactPrompt =
    "Podaj informacje o znajomym, które mam przechować w lokalnej bazie.";
inline constexpr std::string_view kTextNameLabel = "Imię:";
inline constexpr std::string_view kTextSurnameLabel = "Nazwisko:";
inline constexpr std::string_view kTextAddressLabel = "Adres:";
inline constexpr std::string_view kTextPhoneLabel = "Telefon:";
inline constexpr std::string_view kTextCellLabel = "Tel. kom.:";
inline constexpr std::string_view kTextCountryCode = "+48";
inline constexpr std::string_view kTextCellPrefixName = "Prefiks operatora";
inline constexpr std::string_view kTextCellNumberName = "Numer telefonu komórkowego";
inline constexpr std::string_view kTextFriendGroupQuestion = "Do jakiej grupy dodać znajomego?";
inline constexpr std::string_view kTextNewGroupButton = "Nowa grupa";

inline constexpr std::string_view kTextFriendNotFound =
    "Nie znalazłem użytkownika o podanych danych. Sprawdź, czy wpisałeś dane poprawnie.";
inline constexpr std::string_view kTextCannotAddSelf =
    "Nie możesz dodać siebie samego do swoich znajomych.";
inline constexpr std::string_view kTextAlreadyFriend =
    "Podany użytkownik jest już wpisany do Twoich znajomych.";
inline constexpr std::string_view kTextNickRequired = "Musisz podać nicka nowego znajomego.";
inline constexpr std::string_view kTextGroupRequired =
    "Musisz wybrać grupę, do której ma zostać dodany znajomy.";

// --- the user search
inline constexpr std::string_view kTextSearchTitle = "Szukaj znajomego";
inline constexpr std::string_view kTextSearchHeading = "Szukaj znajomego według:";
inline constexpr std::string_view kTextBasicData = "Podstawowe dane";
inline constexpr std::string_view kTextAddressGroup = "Adres";
inline constexpr std::string_view kTextOtherData = "Inne dane";
inline constexpr std::string_view kTextSearchEmailLabel = "E-mail:";
inline constexpr std::string_view kTextSexLabel = "Płeć:";
inline constexpr std::string_view kTextAgeLabel = "Wiek:";
inline constexpr std::string_view kTextCityLabel = "Miasto:";
inline constexpr std::string_view kTextCountryLabel = "Kraj:";
inline constexpr std::string_view kTextEducationLabel = "Wykształcenie:";
inline constexpr std::string_view kTextJobLabel = "Zawód:";
inline constexpr std::string_view kTextInterestLabel = "Zainteresowania:";
inline constexpr std::string_view kTextLanguageLabel = "Język:";
inline constexpr std::string_view kTextIgnore = "-- ignoruj --";
inline constexpr std::string_view kTextFemale = "Kobieta";
inline constexpr std::string_view kTextMale = "Mężczyzna";
inline constexpr std::string_view kTextSearchButton = "Szukaj >>";
inline constexpr std::string_view kTextNothingFound =
    "Nie znalazłem żadnego użytkownika, który by spełniał podane kryteria.";

inline constexpr std::string_view kTextResultsTitle = "Wyniki wyszukiwania";
inline constexpr std::string_view kTextResultsNote =
    "Oto wyniki Twojego wyszukiwania. Kliknij prawym przyciskiem myszy na użytkownika, aby "
    "otworzyć menu rozwijalne.";
inline constexpr std::string_view kTextColumnQid = "QID";
inline constexpr std::string_view kTextColumnNick = "Nick";
inline constexpr std::string_view kTextColumnEmail = "E-mail";
inline constexpr std::string_view kTextColumnName = "Imię";
inline constexpr std::string_view kTextColumnSurname = "Nazwisko";
inline constexpr std::string_view kTextNewSearch = "<< Nowe wyszukiwanie";

} // namespace murmex
