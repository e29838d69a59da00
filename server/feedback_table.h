#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string_view>

namespace murmex {

class CDatabase;

// What members send the service's people: feedback texts, and addresses to
// which someone should send a word about the program.
class CFeedbackTable {
public:
    explicit CFeedbackTable(CDatabase& db) : m_db(db) {}

    EStore AddFeedback(int sender, std::string_view text, std::int64_t now);
    EStore AddRecommendation(int sender, std::string_view email, std::int64_t now);

private:
    CDatabase& m_db;
};

} // namespace murmex
