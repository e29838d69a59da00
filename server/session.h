#pragma once

#include <cstdint>

namespace murmex {

// What one connection carries from one command to the next.
struct SSession {
    std::uint64_t connection = 0; // the connection's number in this instance
    int qid = 0;                  // the member logged in on this connection, 0 when none
    // The channel this connection last worked with as its operator; the
    // operator removal names only the member, so this says which channel.
    int operatorChannel = 0;
};

} // namespace murmex
