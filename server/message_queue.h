#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace murmex {

class CDatabase;
class CDeliveryClaims;

struct SQueuedMessage {
    std::int64_t id = 0;
    int sender = 0;
    std::string text; // UTF-8
    std::int64_t sent = 0;
};

// Each member's messages waiting to be fetched, oldest first.
class CMessageQueue {
public:
    explicit CMessageQueue(CDatabase& db) : m_db(db) {}

    EStore Push(int recipient, int sender, std::string_view text, std::int64_t sent);
    // The oldest waiting message that no other delivery holds, claimed for the
    // caller; NotFound when none waits.
    EStore ClaimOldest(int recipient, CDeliveryClaims& claims, SQueuedMessage& message);
    // Called once the message has reached its recipient's connection.
    EStore Remove(std::int64_t id);
    EStore Count(int recipient, int& count);

private:
    CDatabase& m_db;
};

} // namespace murmex
