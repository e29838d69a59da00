#pragma once

#include <string_view>

// The texts of the friend notices (UTF-8), each defined once; the friend
// details window shares the field labels.
namespace murmex {

inline constexpr std::string_view kTextFieldQid = "QID:";
inline constexpr std::string_view kTextFieldNick = "Nick:";
inline constexpr std::string_view kTextFieldEMail = "E-mail:";
inline constexpr std::string_view kTextFieldEmail = "E-mail:";
inline constexpr std::string_view kTextFieldChannel = "na kanale:";
inline constexpr std::string_view kTextAdd = "Dodaj";
inline constexpr std::string_view kTextDelete = "Skasuj";
inline constexpr std::string_view kTextGroup = "Grupa";

// Dialog 320.
inline constexpr std::string_view kTextFriendOnChat =
    "Jeden z Twoich znajomych pojawił się na czacie.";
inline constexpr std::string_view kTextOnNoChannel = "nie jest na żadnym kanale";
inline constexpr std::string_view kTextTalk = "Porozmawiaj";
inline constexpr std::string_view kTextMoreData = "Dalsze dane";

// Dialog 198.
inline constexpr std::string_view kTextNewFriendOnWeb =
    "Baza danych zawiera znajomego, którego dodałeś poprzez przeglądarkę WWW.";
inline constexpr std::string_view kTextChooseGroupForFriend =
    "Wybierz grupę, do której znajomy ma zostać dodany.";

// Dialog 249.
inline constexpr std::string_view kTextFriendDeletedOnWeb =
    "Ten znajomy został wykasowany z bazy danych poprzez przeglądarkę WWW lub program Murmex "
    "działający na innym komputerze.";
inline constexpr std::string_view kTextDeleteOrAddBack =
    "Możesz wykasować go lokalnie lub z powrotem dodać do bazy danych.";

} // namespace murmex
