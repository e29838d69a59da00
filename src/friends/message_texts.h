#pragma once

#include "session/app_texts.h"

#include <string_view>

// The texts of the message and SMS windows and of the recommend-program
// dialog (UTF-8), each defined once.
namespace murmex {

inline constexpr std::string_view kTextMessagesTitle = "Wiadomości";
inline constexpr std::string_view kTextReadMessageTitle = "Wiadomość";
inline constexpr std::string_view kTextSendMessageTitle = "Wyślij wiadomość";
inline constexpr std::string_view kTextSendSmsTitle = "Wyślij SMS";
inline constexpr std::string_view kTextRecommendTitle = "Wyślij program Murmex";

inline constexpr std::string_view kTextClose = "Zamknij";

// Dialog 377.
inline constexpr std::string_view kTextMessageList = "Lista wiadomości";
inline constexpr std::string_view kTextCorrespondent = "Nadawca/Odbiorca";
inline constexpr std::string_view kTextMessageGroup = "Wiadomość";
inline constexpr std::string_view kTextListNick = "Nick:";
inline constexpr std::string_view kTextListEmail = "E-mail:";
inline constexpr std::string_view kTextListSurname = "Nazwisko:";
inline constexpr std::string_view kTextListName = "Imię:";
inline constexpr std::string_view kTextMessageText = "Treść wiadomości";

// Dialog 376.
inline constexpr std::string_view kTextReadNick = "Nick:";
inline constexpr std::string_view kTextReadEmail = "E-mail:";
inline constexpr std::string_view kTextReadMessage = "Wiadomość:";
inline constexpr std::string_view kTextNextUnread = "Następna nowa";
inline constexpr std::string_view kTextReply = "Odpowiedz";
inline constexpr std::string_view kTextAddToFriends = "Dodaj do znajomych";
inline constexpr std::string_view kTextCannotAddToFriends = "Nie mogę dodać do znajomych.";

// Dialogs 393 and 319.
inline constexpr std::string_view kTextRecipient = "Adresat:";
inline constexpr std::string_view kTextRecipientEmail = "E-mail adresata";
inline constexpr std::string_view kTextRecipientCellPhone = "Telefon komórkowy adresata";
inline constexpr std::string_view kTextSend = "Wyślij";
inline constexpr std::string_view kTextSendSms = "Wyślij SMS";
inline constexpr std::string_view kTextInfo = "Info";
inline constexpr std::string_view kTextHistory = "Historia";
inline constexpr std::string_view kTextSending = "Wysyłanie";

// Dialog 395.
inline constexpr std::string_view kTextRecommendExplain =
    "Pod podany adres zostanie wysłana wiadomość o programie Murmex wraz z informacjami "
    "umożliwiającymi jego instalację.";
inline constexpr std::string_view kTextRecommendEmail = "Adres e-mail";

} // namespace murmex
