#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_set>

namespace murmex {

// Waiting messages that are on their way to a client right now. A message
// stays in the queue until its response has been sent; meanwhile it is
// claimed, so that a second connection of the same member does not receive
// it too. Claims live in memory only: after a restart nothing is in flight.
class CDeliveryClaims {
public:
    bool TryClaim(std::int64_t messageId);
    void Release(std::int64_t messageId);
    bool IsClaimed(std::int64_t messageId) const;

private:
    mutable std::mutex m_mutex;
    std::unordered_set<std::int64_t> m_claimed;
};

} // namespace murmex
