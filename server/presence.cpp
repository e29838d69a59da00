#include "server/presence.h"

namespace murmex {

void CPresence::Enter(int qid) {
    std::lock_guard lock(m_mutex);
    ++m_connections[qid];
}

void CPresence::Leave(int qid) {
    std::lock_guard lock(m_mutex);
    auto found = m_connections.find(qid);
    if (found == m_connections.end())
        return;
    if (--found->second <= 0)
        m_connections.erase(found);
}

bool CPresence::IsActive(int qid) const {
    std::lock_guard lock(m_mutex);
    return m_connections.count(qid) != 0;
}

} // namespace murmex
