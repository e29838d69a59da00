#pragma once

#include <string>
#include <vector>

namespace murmex {

// One running dial-up link as the system reports it. Names are the system's own
// bytes (UTF-8 file names), not the program's Windows-1250 text.
struct SActiveLink {
    int pid = 0;
    // The peer it was started with ("call NAME"), empty when unknown.
    std::string peer;
    // Its link name ("linkname NAME"), empty when none was given.
    std::string linkName;
    // The network interface it runs on ("ppp0"), empty while it has none yet.
    std::string interfaceName;
};

// What the program needs from the system's network and dial-up services. The
// connection logic sits on top of this so that it can be tested with a fake.
class IDialUpPlatform {
public:
    virtual ~IDialUpPlatform() = default;

    // A default route on a non-loopback interface that is up and running.
    virtual bool HasDefaultRoute() = 0;
    // The dial-up entries the user may dial, in name order. An unreadable or
    // missing list is no entries.
    virtual std::vector<std::string> ListPeers() = 0;
    // False when the running links cannot be enumerated at all.
    virtual bool ListActiveLinks(std::vector<SActiveLink>& links) = 0;
    // The interface exists and is up and running.
    virtual bool IsInterfaceRunning(const std::string& interfaceName) = 0;

    // These block until the helper program has finished; true on its success.
    virtual bool Dial(const std::string& peer) = 0;
    virtual bool AutoDial() = 0;
    virtual bool HangUp() = 0;
};

} // namespace murmex
