#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

class CDatabase;

struct SSmsRecord {
    std::int64_t id = 0;
    int sender = 0;
    int recipient = 0; // the member it was sent to, 0 for a bare number
    std::string phone;
    std::string text;
    std::int64_t created = 0;
};

// Text messages to phones. This server has no gateway, so they stay here,
// where an operator (or a test) can see what would have gone out.
class CSmsOutbox {
public:
    explicit CSmsOutbox(CDatabase& db) : m_db(db) {}

    EStore Push(const SSmsRecord& sms);
    // Oldest first.
    EStore All(std::vector<SSmsRecord>& out);

private:
    CDatabase& m_db;
};

} // namespace murmex
