#pragma once

#include <string>

namespace murmex {

class CInternetConnection;
class CRequestEngine;

// The answers about the connection that the rest of the client derives its
// behaviour from. Holds nothing of its own: it reads the options, the
// process-wide connection object and the engine's login state each time.
class CConnectionState {
public:
    CConnectionState(const CInternetConnection& connection, const CRequestEngine& engine)
        : m_connection(connection), m_engine(engine) {}

    // In this order: TrueInternet = "0" means always up; a chosen connection
    // other than dial-up is always up; dial-up with a chosen entry is up while
    // that entry's link is; otherwise the system's own state decides.
    bool IsConnected() const;
    // A LAN is never timed; ForceModem = "1" makes every connection count as a call.
    bool IsLAN() const;
    bool IsLoggedIn() const;

    // "Online" or "Offline", with " i zalogowany" while logged in (UTF-8).
    std::string ConnectionStatusText() const;
    static std::string StatusText(bool connected, bool loggedIn);

private:
    const CInternetConnection& m_connection;
    const CRequestEngine& m_engine;
};

} // namespace murmex
