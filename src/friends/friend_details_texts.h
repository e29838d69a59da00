#pragma once

#include "session/app_texts.h" // "Nie mogę wysłać wiadomości!"

#include <string_view>

// The texts of the friend details window (UTF-8), each defined once. The
// field labels "QID:", "Nick:" and "E-mail:" are shared with the friend notices.
namespace murmex {

// The tabs.
inline constexpr std::string_view kTextTabData = "Dane";
inline constexpr std::string_view kTextTabHistory = "Historia";
inline constexpr std::string_view kTextTabNotes = "Notatki";
inline constexpr std::string_view kTextTabEvents = "Przypomnienia";

// "Dane".
inline constexpr std::string_view kTextFieldName = "Imię:";
inline constexpr std::string_view kTextFieldSurname = "Nazwisko:";
inline constexpr std::string_view kTextFieldCellPhone = "Tel. kom.:";
inline constexpr std::string_view kTextCountryCode = "+48";
inline constexpr std::string_view kTextShowAs = "Wyświetlaj jako:";
inline constexpr std::string_view kTextStatusGroup = "Status";
inline constexpr std::string_view kTextChat = "Czatuj";
inline constexpr std::string_view kTextMessageGroup = "Wiadomość";
inline constexpr std::string_view kTextCharsLeft = "Pozostało znaków (wiadomość/SMS):";
inline constexpr std::string_view kTextSendSms = "Wyślij SMS";
inline constexpr std::string_view kTextSendMessage = "Wyślij wiadomość";
// Accessible names of fields that have no label of their own.
inline constexpr std::string_view kTextCellPrefixName = "Prefiks operatora";
inline constexpr std::string_view kTextCellNumberName = "Numer telefonu";
inline constexpr std::string_view kTextStatusName = "Status znajomego";
inline constexpr std::string_view kTextMessageName = "Treść wiadomości";
inline constexpr std::string_view kTextHistoryListName = "Lista wiadomości";
inline constexpr std::string_view kTextAnimationName = "Animacja";

// The status line; %1 is the channel's name.
inline constexpr std::string_view kTextChattingWithProgram =
    "Czatuje na kanale [%1] i ma włączony program Murmex.";
inline constexpr std::string_view kTextChatting = "Czatuje na kanale [%1].";
inline constexpr std::string_view kTextProgramRunning = "Włączony program Murmex.";
inline constexpr std::string_view kTextNotLoggedIn = "Niezalogowany.";

// Sending from "Dane".
inline constexpr std::string_view kTextEmptyMessage = "Nie możesz wysłać pustej wiadomości.";
inline constexpr std::string_view kTextMessageSent = "Wiadomość została pomyślnie wysłana.";

// "Historia".
inline constexpr std::string_view kTextSenderRecipient = "Nadawca/Odbiorca";

// "Notatki".
inline constexpr std::string_view kTextNotes = "Notatki:";

// "Przypomnienia".
inline constexpr std::string_view kTextNotifyGroup = "Powiadomienie";
inline constexpr std::string_view kTextNotifyMe =
    "Powiadom mnie, gdy znajomy wejdzie do serwisu Murmex.";
inline constexpr std::string_view kTextNotifyBy = "Powiadom za pomocą:";
inline constexpr std::string_view kTextByEmail = "E-maila";
inline constexpr std::string_view kTextBySms = "SMS-a";
inline constexpr std::string_view kTextSmsNeedsNumber =
    "Aby otrzymywać powiadomienia SMS-em, Twój numer telefonu komórkowego musi być wpisany do "
    "bazy danych.";

} // namespace murmex
