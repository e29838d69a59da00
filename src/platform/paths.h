#pragma once

#include <string>
#include <string_view>

namespace murmex {

// The program directory: the command line's program path without its file
// name, always ending with '/', or empty when the program was named without
// a directory (files are then relative to the working directory).
std::string ProgramDirectoryFromCommandLine(std::string_view commandLine);

// Where the program keeps its files. Process-wide, set once at start-up.
class CPaths {
public:
    // A file of this name in the program directory makes a portable copy.
    static constexpr const char* kPortableMarker = "portable";

    // Computes the program directory from argv[0] and picks the data directory:
    // $MURMEX_HOME when set; else the program directory when it already holds
    // murmex.cfg or a file named kPortableMarker (a portable copy); else
    // $XDG_DATA_HOME/murmex (~/.local/share/murmex without it).
    static void Init(std::string_view argv0);

    static std::string ProgramDirectory();
    static std::string DataDirectory();
    // Tests and tools point the data directory elsewhere; ends with '/' unless empty.
    static void SetDataDirectory(std::string directory);

    // A data file (murmex.cfg, counter.cfg, billing.txt, chat.html).
    static std::string DataFile(std::string_view name);
    // A read-only resource (misc.cfg, logo1.avi, help/...): the data directory,
    // then the program directory, then the installed share directory. Returns
    // the first that exists, or the data-directory path when none does.
    static std::string Resource(std::string_view name);
};

} // namespace murmex
