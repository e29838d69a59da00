#pragma once

#include <string_view>

// The texts of the common window parts (UTF-8), each defined once. The numbers
// are the control ids the pages and sheets are known by.
namespace murmex {

inline constexpr std::string_view kTextWizardBack = "< Wstecz";  // 138
inline constexpr std::string_view kTextWizardNext = "Dalej >";   // 139
inline constexpr std::string_view kTextWizardFinish = "Zakończ"; // 139 on the last page
inline constexpr std::string_view kTextCancel = "Anuluj";        // 137, 141
inline constexpr std::string_view kTextOk = "OK";                // 142, and the message box
inline constexpr std::string_view kTextApply = "Zastosuj";       // 143
inline constexpr std::string_view kTextYes = "Tak";
inline constexpr std::string_view kTextNo = "Nie";
// The title strip's picture buttons, as a screen reader names them.
inline constexpr std::string_view kTextCloseWindow = "Zamknij";
inline constexpr std::string_view kTextHideWindow = "Ukryj";
// Asked before a wizard that holds typed text is closed.
inline constexpr std::string_view kTextDiscardTyped =
    "Czy na pewno chcesz przerwać? Wpisane dane zostaną utracone.";

} // namespace murmex
