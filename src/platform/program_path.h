#pragma once

#include <string>
#include <string_view>

namespace murmex {

// The program's own file as an absolute path, from argv[0]: a path with a
// directory is made absolute against the working directory; a bare name (the
// program was found on PATH) is the running executable's file. Empty when
// neither can be known. The autostart entry needs this: it runs the program
// later from wherever the session starts, where a relative or bare name may
// mean nothing; and a bare name would otherwise make the program directory
// the working directory.
std::string ProgramPathFromArgv0(std::string_view argv0);

} // namespace murmex
