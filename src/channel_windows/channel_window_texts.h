#pragma once

#include "friends/tree_texts.h"

#include <string_view>

// The channel windows' own texts (UTF-8), each defined once: adding a
// favourite, the channel information, creating a channel and the search. The
// favourite list's command names (tree_texts.h) serve as titles and menu entries.
namespace murmex {

// --- adding a favourite by name
inline constexpr std::string_view kTextAddFavouritePrompt =
    "Podaj nazwę kanału, który chcesz dodać do ulubionych.";
inline constexpr std::string_view kTextNoSuchChannel = "Nie istnieje kanał o takiej nazwie.";

// --- the channel information
inline constexpr std::string_view kTextChannelInfoTitle = "Informacje o kanale";
inline constexpr std::string_view kTextBasicChannelData = "Podstawowe dane";
inline constexpr std::string_view kTextChannelNameLabel = "Nazwa kanału:";
inline constexpr std::string_view kTextCategoryLabel = "Kategoria:";
inline constexpr std::string_view kTextDescriptionLabel = "Opis:";
inline constexpr std::string_view kTextUrlLabel = "URL:";
inline constexpr std::string_view kTextChannelNews = "Aktualności";
inline constexpr std::string_view kTextTopicLabel = "Topic:";
inline constexpr std::string_view kTextUsersLabel = "Liczba osób na kanale:";
inline constexpr std::string_view kTextCloseAccel = "&Zamknij";

// --- creating a channel
inline constexpr std::string_view kTextCreateIntro =
    "Jako zarejestrowany użytkownik serwisu Murmex możesz założyć dowolną liczbę własnych kanałów.";
inline constexpr std::string_view kTextCreateAsk =
    "Aby założyć kanał, musisz podać kilka informacji:";
inline constexpr std::string_view kTextCreateAfter =
    "Po utworzeniu kanału automatycznie stajesz się jego operatorem. Kanał zostanie też dodany "
    "do Twoich ulubionych kanałów, skąd możesz wywołać funkcje operatorskie.";
inline constexpr std::string_view kTextLongDescriptionLabel = "Dokładniejszy opis:";
inline constexpr std::string_view kTextChannelPageLabel = "Strona WWW kanału:";
inline constexpr std::string_view kTextChannelNameTaken = "Kanał o takiej nazwie już istnieje.";
inline constexpr std::string_view kTextCannotCreateChannel = "Nie mogę założyć kanału.";
inline constexpr std::string_view kTextCreating = "Zakładanie kanału";

// --- the channel search
inline constexpr std::string_view kTextSearchCriterion = "Podaj kryterium wyszukiwania:";
inline constexpr std::string_view kTextChannelSearchButton = "Szukaj >>";
inline constexpr std::string_view kTextNoChannelFound =
    "Nie znalazłem żadnego kanału, który by spełniał podane kryteria.";
inline constexpr std::string_view kTextChannelResultsTitle = "Wyniki wyszukiwania kanałów";
inline constexpr std::string_view kTextChannelResultsNote = "Oto wyniki wyszukiwania:";
inline constexpr std::string_view kTextColumnChannelName = "Nazwa";
inline constexpr std::string_view kTextColumnChannelDescription = "Opis";
inline constexpr std::string_view kTextColumnChannelUrl = "URL";
inline constexpr std::string_view kTextChannelNewSearch = "<< Nowe wyszukiwanie";
inline constexpr std::string_view kTextChannelResultsClose = "Zamknij";

} // namespace murmex
