#pragma once

#include <string_view>

// The operator functions' own texts (UTF-8): the channel settings and the
// choice of a new operator, each defined once. A namespace of their own, since
// the other channel windows label some of the same fields.
namespace murmex::operator_texts {

// --- the settings window
inline constexpr std::string_view kTextOperatorTitle = "Funkcje operatorskie";
inline constexpr std::string_view kTextBasicChannelData = "Podstawowe dane";
inline constexpr std::string_view kTextChannelNameLabel = "Nazwa kanału:";
inline constexpr std::string_view kTextTopicLabel = "Topic:";
inline constexpr std::string_view kTextChannelPasswordLabel = "Hasło kanału:";
inline constexpr std::string_view kTextMaxUsersLabel = "Maksymalna liczba użytkowników:";
inline constexpr std::string_view kTextApplyButton = "&Zastosuj";
inline constexpr std::string_view kTextOperatorsGroup = "Operatorzy";
inline constexpr std::string_view kTextNickColumn = "Nick";
inline constexpr std::string_view kTextEmailColumn = "E-mail";
inline constexpr std::string_view kTextAddOperatorButton = "&Dodaj";
inline constexpr std::string_view kTextRemoveOperatorButton = "&Usuń";
inline constexpr std::string_view kTextCloseButton = "Zamknij";
inline constexpr std::string_view kTextOperatorList = "Lista operatorów";
inline constexpr std::string_view kTextWorking = "Trwa komunikacja z serwisem";

// --- the choice of a user
inline constexpr std::string_view kTextChooseUserTitle = "Wybierz użytkownika";
inline constexpr std::string_view kTextChooseUserPrompt =
    "Wybierz użytkownika ze znajomych lub podaj dane innego użytkownika.";
inline constexpr std::string_view kTextFriendsGroup = "Znajomi";
inline constexpr std::string_view kTextFriendChoice = "Znajomy";
inline constexpr std::string_view kTextOtherGroup = "Inny";
inline constexpr std::string_view kTextQidLabel = "QID:";
inline constexpr std::string_view kTextOr = "lub";
inline constexpr std::string_view kTextNickLabel = "Nick:";
inline constexpr std::string_view kTextEmailLabel = "E-mail:";

// --- what the operator functions report
inline constexpr std::string_view kTextNotOperator = "Nie jesteś operatorem tego kanału.";
inline constexpr std::string_view kTextChooseOperatorFirst = "Musisz wybrać operatora z listy!";
inline constexpr std::string_view kTextCannotAddOperator = "Nie mogę dodać operatora!";
// Where the service could not be asked at all: the user may well be an operator.
inline constexpr std::string_view kTextOperatorCheckFailed =
    "Nie mogę sprawdzić, czy jesteś operatorem tego kanału: brak połączenia z serwisem Murmex.";
inline constexpr std::string_view kTextCannotLoadChannelSettings =
    "Nie mogę pobrać ustawień kanału z serwisu Murmex.";
inline constexpr std::string_view kTextCannotApplyChannelSettings =
    "Nie mogę zmienić ustawień kanału. Serwis Murmex odrzucił zmiany.";
inline constexpr std::string_view kTextCannotRemoveOperator =
    "Nie mogę usunąć operatora! Kanał musi mieć co najmniej jednego operatora, a Ty musisz nim "
    "nadal być.";
inline constexpr std::string_view kTextMaxUsersRange =
    "Podaj liczbę całkowitą z przedziału od 0 do 128.";

} // namespace murmex::operator_texts
