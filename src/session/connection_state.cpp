#include "session/connection_state.h"

#include "protocol/request_engine.h"
#include "session/internet_connection.h"
#include "session/shell_texts.h"
#include "storage/options.h"

namespace murmex {

bool CConnectionState::IsConnected() const {
    if (HasOption("TrueInternet") && GetOption("TrueInternet") == "0")
        return true;
    if (HasOption("InternetConnection")) {
        if (GetOption("InternetConnection") != "DialUp")
            return true;
        if (HasOption("RASEntry"))
            return m_connection.EntryState() == 0;
    }
    return m_connection.SystemConnected();
}

bool CConnectionState::IsLAN() const {
    if (GetOption("ForceModem") == "1")
        return false;
    return GetOption("InternetConnection") == "LAN";
}

bool CConnectionState::IsLoggedIn() const {
    return m_engine.IsLoggedIn();
}

std::string CConnectionState::StatusText(bool connected, bool loggedIn) {
    std::string text(connected ? kTextOnline : kTextOffline);
    if (loggedIn)
        text += kTextLoggedInSuffix;
    return text;
}

std::string CConnectionState::ConnectionStatusText() const {
    return StatusText(IsConnected(), IsLoggedIn());
}

} // namespace murmex
