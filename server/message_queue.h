#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace murmex {

class CDatabase;

struct SQueuedMessage {
    std::int64_t id = 0;
    int sender = 0;
    std::string text; // UTF-8
    std::int64_t sent = 0;
};

// Who takes a message for delivery: a connection of a server instance.
struct SClaimant {
    std::int64_t instance = 0;
    std::int64_t connection = 0;
    std::int64_t nowMs = 0; // for telling live instances from dead ones
};

// Each member's messages waiting to be fetched, oldest first.
class CMessageQueue {
public:
    explicit CMessageQueue(CDatabase& db) : m_db(db) {}

    EStore Push(int recipient, int sender, std::string_view text, std::int64_t sent);
    // The oldest waiting message that no other delivery holds, claimed for the
    // caller; NotFound when none waits.
    EStore ClaimOldest(int recipient, const SClaimant& claimant, SQueuedMessage& message);
    // Called once the recipient's client has shown it read the message.
    EStore Remove(std::int64_t id);
    EStore Count(int recipient, int& count);

private:
    CDatabase& m_db;
};

} // namespace murmex
