#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

class CDatabase;

// What a member search asks for. Texts match as case-insensitive substrings
// (empty = any); integers match exactly (0 = any); language and interest
// match when the member's list holds the value.
struct SUserQuery {
    std::string nick, email, name, surname, city;
    bool byAge = false;
    std::int64_t bornAfter = 0; // born > bornAfter
    std::int64_t bornUpTo = 0;  // born <= bornUpTo
    int sex = 0, education = 0, job = 0, country = 0, language = 0, interest = 0;
};

// Reads an age range such as "7-10" (also "18" or "55-") into the range of
// birth times that give such an age at `now`. An empty text means any age.
// False for text that is no range.
bool ParseAgeRange(std::string_view text, std::int64_t now, SUserQuery& query);

// The time `years` calendar years before `time` (UTC; 29 February falls back to 1 March).
std::int64_t YearsBefore(std::int64_t time, int years);

// Members matching the query, in QID order, at most `cap`, without `excludeQid`.
// A field the member hides from others never matches, and a birth time of 0
// (never given) matches no age.
EStore FindMatchingUsers(CDatabase& db, const SUserQuery& query, int excludeQid, int cap,
                         std::vector<int>& found);

} // namespace murmex
