#pragma once

#include "platform/dial_up_platform.h"

#include <string>

namespace murmex {

// Dial-up through the point-to-point daemon: entries are its peer files, a
// connection is a running daemon for that peer whose interface is up, and the
// dialling helpers `pon` / `poff` do the rest.
class CPppPlatform final : public IDialUpPlatform {
public:
    // root: where the system's folders are found ("/" normally; tests pass a
    // fake tree). The helper programs are looked up on PATH unless given a path.
    explicit CPppPlatform(std::string root = "/", std::string dialProgram = "pon",
                          std::string hangUpProgram = "poff");

    bool HasDefaultRoute() override;
    std::vector<std::string> ListPeers() override;
    bool ListActiveLinks(std::vector<SActiveLink>& links) override;
    bool IsInterfaceRunning(const std::string& interfaceName) override;
    // Refuses (false, nothing started) a name that is not a plain peer file name:
    // the helper would read it as an option or as a path outside the peers folder.
    bool Dial(const std::string& peer) override;
    bool AutoDial() override;
    // Ends every running link, however it was made.
    bool HangUp() override;

    static bool IsPlainPeerName(const std::string& peer);

private:
    std::string m_root;
    std::string m_dialProgram;
    std::string m_hangUpProgram;
};

} // namespace murmex
