#pragma once

#include <array>
#include <string_view>

// The texts of the call counter's windows (UTF-8), each defined once. Numbers
// are the string ids where the program refers to a text by its id.
namespace murmex {

// --- call list (263)
inline constexpr std::string_view kTextCallListTitle = "Licznik modemowy";
inline constexpr std::string_view kTextColumnDate = "Data";                // 170
inline constexpr std::string_view kTextColumnTime = "Godzina";             // 171
inline constexpr std::string_view kTextColumnDuration = "Czas trwania";    // 172
inline constexpr std::string_view kTextColumnImpulses = "Liczba impulsów"; // 173
inline constexpr std::string_view kTextColumnCost = "Opłata";              // 174
inline constexpr std::string_view kTextPeriodGroup = "Okres";
inline constexpr std::string_view kTextFrom = "od";
inline constexpr std::string_view kTextTo = "do";
inline constexpr std::string_view kTextWholeMonth = "lub pełny miesiąc";
inline constexpr std::string_view kTextMonthList = "Miesiąc";
inline constexpr std::string_view kTextYearList = "Rok";
inline constexpr std::string_view kTextSumGroup = "Suma";
inline constexpr std::string_view kTextSumTime = "Czas:";
inline constexpr std::string_view kTextSumCost = "Koszt:";
inline constexpr std::string_view kTextSumImpulses = "Impulsy:";
inline constexpr std::string_view kTextReport = "Wykaz";
inline constexpr std::string_view kTextStatistics = "Statystyki";
inline constexpr std::string_view kTextSettings = "Ustawienia";
inline constexpr std::string_view kTextClose = "Zamknij";

inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "Styczeń", "Luty",     "Marzec",   "Kwiecień",    "Maj",      "Czerwiec",
    "Lipiec",  "Sierpień", "Wrzesień", "Październik", "Listopad", "Grudzień"};

// --- tariff window (286)
inline constexpr std::string_view kTextTariffTitle = "Ustawienia licznika";
inline constexpr std::string_view kTextUniform = "Jednolita taryfa niezależnie od dnia";
inline constexpr std::string_view kTextHolidayGroup = "Święta i dni wolne";
inline constexpr std::string_view kTextHolidays = "Święta:";
inline constexpr std::string_view kTextAdd = "Dodaj";
inline constexpr std::string_view kTextRemove = "Usuń";
inline constexpr std::string_view kTextFreeWeekdays = "Dni wolne w tygodniu:";
// Free-weekday bit w is weekday w, Sunday first.
inline constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Niedziela", "Poniedziałek", "Wtorek", "Środa", "Czwartek", "Piątek", "Sobota"};
inline constexpr std::string_view kTextNormalTariff = "Normalna taryfa";
inline constexpr std::string_view kTextHolidayTariff = "Świąteczna taryfa";
inline constexpr std::string_view kTextPrice = "Cena impulsu:";
inline constexpr std::string_view kTextNormalHours = "Normalne godziny";
inline constexpr std::string_view kTextImpulseEvery = "Impuls co (sek.):";
inline constexpr std::string_view kTextOtherHoursGroup = "Inne godziny";
inline constexpr std::string_view kTextOtherHoursList = "Inne godziny:";
inline constexpr std::string_view kTextPeriodLength = "Impuls co (sek.) w tych godzinach";
inline constexpr std::string_view kTextMustChooseHoliday = "Musisz wybrać święto z listy!"; // 175

// --- holiday prompt (290)
inline constexpr std::string_view kTextHolidayPromptTitle = "Święto";
inline constexpr std::string_view kTextHolidayPrompt = "Podaj datę święta:";
inline constexpr std::string_view kTextDay = "Dzień";
inline constexpr std::string_view kTextMonth = "Miesiąc";

// --- statistics window (282)
inline constexpr std::string_view kTextStatisticsTitle = "Statystyki połączeń";
inline constexpr std::string_view kTextChartKinds = "Wykres";
inline constexpr std::string_view kTextChartPicture = "Wykres połączeń";

} // namespace murmex
