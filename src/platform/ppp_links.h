#pragma once

#include "platform/dial_up_platform.h"

#include <string>
#include <vector>

namespace murmex {

// The point-to-point daemon's files under a root directory ("/" normally,
// ending with '/').

// The peer files of etc/ppp/peers in name order. A folder that is missing or
// that we may not read (only the dial-up group may) gives no entries.
std::vector<std::string> ListPppPeers(const std::string& root);

// The running links: every run/ppp*.pid whose process is still a running
// daemon, once per process. "ppp-NAME.pid" (written when the peer sets a link
// name) holds the PID and, once the link has one, its interface; "pppN.pid"
// holds the PID of the link on interface pppN. The peer is taken from the
// process's command line ("call NAME"). False when run/ cannot be read.
bool ListPppLinks(const std::string& root, std::vector<SActiveLink>& links);

} // namespace murmex
