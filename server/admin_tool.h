#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace murmex {

// "murmexd admin ...": changes made on the service's side (by the web site,
// by an operator) for demos and tests, straight in the database, which the
// server may be using at the same time. `args` are the words after "admin".
// Returns the exit status: 0 done, 1 refused or failed, 2 wrong usage.
int RunAdmin(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace murmex
