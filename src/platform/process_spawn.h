#pragma once

#include <string>
#include <vector>

namespace murmex {

// Runs a program with exactly these arguments (never through a shell, so no
// argument is ever interpreted) and waits for it. The program is looked up on
// PATH unless it contains a '/'. Its standard input is /dev/null.
// Returns its exit status, or -1 when it could not be started or did not exit
// normally.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments);

} // namespace murmex
