#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// How the account window turns the stored sex code and mobile number into what
// its controls show, and back. Kept apart from the windows so the rules can be
// checked on their own: the stored forms are what the service holds.
namespace murmex {

// The operator prefixes of "Tel. kom.", in list order. The four-digit ones give
// eleven-character numbers, which the list cannot show again: kept as they are,
// since numbers stored that way are already on the service.
inline constexpr std::array<std::string_view, 9> kMobilePrefixes = {
    "501", "502", "601", "602", "603", "604", "0605", "0606", "0608"};

// What "Tel. kom." shows: the prefix list's row (-1: none) and the number field.
struct SMobileFields {
    int prefixIndex = -1;
    std::string number;
};

// A stored number of exactly ten characters "0PPPNNNNNN" shows NNNNNN and the
// first prefix that begins with PPP; any other length shows nothing.
SMobileFields MobileFieldsFor(std::string_view stored);
// "0" + prefix + number when a prefix is chosen and the number has exactly six
// characters; otherwise nothing, and the stored number stays as it was.
std::optional<std::string> MobileToStore(int prefixIndex, std::string_view number);

// The sex list holds "Kobieta" (row 0) and "Mężczyzna" (row 1).
inline constexpr int kSexRowFemale = 0;
inline constexpr int kSexRowMale = 1;
inline constexpr int kSexFemale = 2;
inline constexpr int kSexMale = 1;
inline constexpr int kSexNotGiven = 0;

// Row -1 (nothing chosen) is 0, "Kobieta" 2, "Mężczyzna" 1.
int SexCodeForRow(int row);
// The account window shows 2 as "Kobieta" and every other code as "Mężczyzna".
int SexRowForCode(int code);

} // namespace murmex
