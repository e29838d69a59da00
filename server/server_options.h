#pragma once

#include "server/service_server.h"

#include <string>
#include <vector>

namespace murmex {

// What murmexd prints for --help: the server's options and the admin commands.
const char* MurmexdUsage();

// Reads the server's options (everything after the program name). False with
// a message for an unknown option or a bad value.
bool ParseServerArgs(const std::vector<std::string>& args, SServerSettings& settings,
                     std::string& error);

// Reads a whole number in [low, high]; false for anything else.
bool ParseBoundedInt(const std::string& text, long long low, long long high, long long& value);

} // namespace murmex
