#include "session/event_queue.h"

namespace murmex {

void CEventQueue::Push(int value) {
    std::lock_guard lock(m_mutex);
    m_entries.push_back(value);
}

bool CEventQueue::TryPop(int& value) {
    std::lock_guard lock(m_mutex);
    if (m_entries.empty())
        return false;
    value = m_entries.front();
    m_entries.pop_front();
    return true;
}

void CEventQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

bool CEventQueue::Empty() const {
    std::lock_guard lock(m_mutex);
    return m_entries.empty();
}

} // namespace murmex
