#pragma once

#include <string>

namespace murmex {

// Where the service publishes its web chat. The build picks a default; the
// options "WebAddress" and "WebHost" override it for another deployment.

// The web address of the chat applet's code base, always ending with '/'.
std::string ServiceWebAddress();
// The host name the chat applet connects to.
std::string ServiceWebHost();

} // namespace murmex
