#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

class CDatabase;

struct SChannel {
    int id = 0;
    std::string name, description, url; // UTF-8
    int category = 0;
    int creator = 0;  // 0 for a channel the service made itself
    int maxUsers = 0; // 0: no limit
    std::string topic;
    int topicSetBy = 0;
    std::string password;
};

// Chat channels and their operators. Names are unique, compared exactly.
class CChannelTable {
public:
    explicit CChannelTable(CDatabase& db) : m_db(db) {}

    // Sets channel.id; the creator (when not 0) becomes the first operator.
    // Exists when the name is taken.
    EStore Create(SChannel& channel, std::int64_t now);
    EStore Load(int id, SChannel& channel);
    EStore Exists(int id);
    EStore FindByName(std::string_view name, int& id);
    EStore SaveSettings(const SChannel& channel); // topic, topicsetby, password, max_users

    EStore IsOperator(int id, int qid);  // Ok or NotFound
    EStore AddOperator(int id, int qid); // Ok also when already one
    // NotFound when the member is no operator; Exists when they are the last
    // one, whom the channel cannot lose.
    EStore RemoveOperator(int id, int qid);
    EStore Operators(int id, std::vector<int>& qids);

    // Members whose web chat is on this channel now.
    EStore CurrentUsers(int id, int& count);
    // Channels whose name or description holds the query (case-insensitive;
    // empty finds all), in id order, at most `cap`.
    EStore Search(std::string_view query, int cap, std::vector<int>& found);

private:
    CDatabase& m_db;
};

} // namespace murmex
