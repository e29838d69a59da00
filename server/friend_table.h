#pragma once

#include "server/store_result.h"

#include <vector>

namespace murmex {

class CDatabase;

// Each member's own list of friends (one-way: adding someone does not put
// you on their list) and, per friend, how the member wants to hear that the
// friend entered the service.
class CFriendTable {
public:
    static constexpr int kNotifyEmail = 2;
    static constexpr int kNotifySms = 3;

    explicit CFriendTable(CDatabase& db) : m_db(db) {}

    // Ok also when the friend was on the list already.
    EStore Add(int owner, int friendQid);
    // NotFound when the friend was not on the list.
    EStore Remove(int owner, int friendQid);
    // In the order they were added.
    EStore List(int owner, std::vector<int>& friends);

    EStore SetNotify(int owner, int friendQid, int method, bool on);
    // The methods set, ascending.
    EStore NotifyMethods(int owner, int friendQid, std::vector<int>& methods);

private:
    CDatabase& m_db;
};

} // namespace murmex
