#pragma once

namespace murmex {

// The codes murmexd answers with. The client only tells success (2000-2999)
// from failure; the failure codes are ours, kept few and stable so that logs
// and scripts can tell the reasons apart.
enum EResponseCode : int {
    RESP_OK = 2000,
    RESP_MALFORMED = 4000,     // unreadable line, missing or invalid entry
    RESP_NOT_LOGGED_IN = 4001, // the command needs a logged-in connection
    RESP_UNKNOWN_COMMAND = 4002,
    RESP_REFUSED = 4003,       // wrong password, not an operator, not allowed
    RESP_NOT_FOUND = 4004,     // no such user or channel, nothing waiting
    RESP_EXISTS = 4009,        // nick and e-mail or channel name already taken
    RESP_LINE_TOO_LONG = 4013, // the connection is closed after this answer
    RESP_SERVER_ERROR = 5000,  // the database failed
    RESP_BUSY = 5003,          // too many connections; closed after this answer
};

} // namespace murmex
