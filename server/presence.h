#pragma once

#include <mutex>
#include <unordered_map>

namespace murmex {

// Which members have the program running: the number of connections logged
// in as each member. Kept in memory because it describes live connections,
// which do not survive a restart either.
class CPresence {
public:
    void Enter(int qid);
    void Leave(int qid);
    bool IsActive(int qid) const;

private:
    mutable std::mutex m_mutex;
    std::unordered_map<int, int> m_connections;
};

} // namespace murmex
