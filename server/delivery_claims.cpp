#include "server/delivery_claims.h"

namespace murmex {

bool CDeliveryClaims::TryClaim(std::int64_t messageId) {
    std::lock_guard lock(m_mutex);
    return m_claimed.insert(messageId).second;
}

void CDeliveryClaims::Release(std::int64_t messageId) {
    std::lock_guard lock(m_mutex);
    m_claimed.erase(messageId);
}

bool CDeliveryClaims::IsClaimed(std::int64_t messageId) const {
    std::lock_guard lock(m_mutex);
    return m_claimed.count(messageId) != 0;
}

} // namespace murmex
