#include "server/user_search.h"

#include "server/database.h"
#include "server/text_fold.h"

#include <ctime>

namespace murmex {
namespace {

// Reads a run of digits; false when there is none or it is absurdly long.
bool ReadNumber(std::string_view text, std::size_t& i, int& value) {
    const std::size_t start = i;
    value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (i - start >= 4)
            return false;
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return i > start;
}

} // namespace

std::int64_t YearsBefore(std::int64_t time, int years) {
    std::time_t t = static_cast<std::time_t>(time);
    std::tm parts{};
    if (!gmtime_r(&t, &parts))
        return time;
    parts.tm_year -= years;
    return static_cast<std::int64_t>(timegm(&parts));
}

bool ParseAgeRange(std::string_view text, std::int64_t now, SUserQuery& query) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    query.byAge = false;
    if (text.empty())
        return true;

    std::size_t i = 0;
    int low = 0;
    int high = 0;
    if (!ReadNumber(text, i, low))
        return false;
    high = low;
    if (i < text.size()) {
        if (text[i] != '-')
            return false;
        ++i;
        if (i == text.size())
            high = 200; // "55-": that age or older
        else if (!ReadNumber(text, i, high) || i != text.size())
            return false;
    }
    if (high < low)
        return false;
    // Aged low..high today: born no later than `low` years ago and after
    // `high + 1` years ago.
    query.byAge = true;
    query.bornUpTo = YearsBefore(now, low);
    query.bornAfter = YearsBefore(now, high + 1);
    return true;
}

EStore FindMatchingUsers(CDatabase& db, const SUserQuery& q, int excludeQid, int cap,
                         std::vector<int>& found) {
    CStatement query =
        db.Query("SELECT qid FROM accounts WHERE qid <> ?1"
                 " AND (?2 = '' OR instr(murmex_fold(nick), ?2) > 0)"
                 " AND (?3 = '' OR (restrict_email = 0 AND instr(murmex_fold(email), ?3) > 0))"
                 " AND (?4 = '' OR (restrict_name = 0 AND instr(murmex_fold(name), ?4) > 0))"
                 " AND (?5 = '' OR (restrict_surname = 0 AND instr(murmex_fold(surname), ?5) > 0))"
                 " AND (?6 = '' OR instr(murmex_fold(city), ?6) > 0)"
                 " AND (?7 = 0 OR (born <> 0 AND born > ?8 AND born <= ?9))"
                 " AND (?10 = 0 OR sex = ?10) AND (?11 = 0 OR education = ?11)"
                 " AND (?12 = 0 OR job = ?12) AND (?13 = 0 OR country = ?13)"
                 " AND (?14 = 0 OR instr(',' || languages || ',', ',' || ?14 || ',') > 0)"
                 " AND (?15 = 0 OR instr(',' || interests || ',', ',' || ?15 || ',') > 0)"
                 " ORDER BY qid LIMIT ?16");
    query.BindInt(1, excludeQid);
    query.BindText(2, FoldCase(q.nick)).BindText(3, FoldCase(q.email));
    query.BindText(4, FoldCase(q.name)).BindText(5, FoldCase(q.surname));
    query.BindText(6, FoldCase(q.city));
    query.BindInt(7, q.byAge ? 1 : 0).BindInt(8, q.bornAfter).BindInt(9, q.bornUpTo);
    query.BindInt(10, q.sex).BindInt(11, q.education).BindInt(12, q.job).BindInt(13, q.country);
    query.BindInt(14, q.language).BindInt(15, q.interest).BindInt(16, cap);
    return query.CollectInts(found) ? EStore::Ok : EStore::Failed;
}

} // namespace murmex
