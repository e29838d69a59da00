#pragma once

#include <deque>
#include <mutex>

namespace murmex {

// A first-in first-out list of numbers that worker threads append to while the
// heartbeat takes entries off the front on the UI thread.
class CEventQueue {
public:
    void Push(int value);
    // False when empty.
    bool TryPop(int& value);
    void Clear();
    bool Empty() const;

private:
    mutable std::mutex m_mutex;
    std::deque<int> m_entries;
};

} // namespace murmex
