#pragma once

#include <string>

namespace murmex {

// The system's view of the network, read from the kernel's files under a root
// directory ("/" normally; tests build a fake tree elsewhere). The root ends with '/'.

// An interface name that is safe to use as one path component.
bool IsPlainInterfaceName(const std::string& name);

// The interface exists, is up and is operational (for a wired link: the cable
// is in; a point-to-point link: it has been negotiated).
bool IsInterfaceRunning(const std::string& root, const std::string& name);

// An IPv4 or IPv6 default route that is up, not a reject route, and leads out
// through a non-loopback interface that is up and running.
bool HasDefaultRoute(const std::string& root);

} // namespace murmex
