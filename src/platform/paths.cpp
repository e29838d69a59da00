#include "platform/paths.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

#ifndef MURMEX_SHARE_DIR
#define MURMEX_SHARE_DIR "/usr/share/murmex"
#endif

namespace murmex {
namespace {

std::mutex g_pathsMutex;
std::string g_programDirectory;
std::string g_dataDirectory;

std::string WithSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool MakeDirectories(const std::string& dir) {
    std::string partial;
    for (std::size_t i = 0; i < dir.size(); ++i) {
        partial += dir[i];
        if ((dir[i] == '/' && i > 0) || i + 1 == dir.size()) {
            if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
                return false;
        }
    }
    return true;
}

std::string XdgDataDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.local/share";
    }
    return WithSlash(base) + "murmex/";
}

// A copy unpacked somewhere with its data beside it: murmex.cfg is already
// there (it has always been used so; moving it now would lose sight of the
// user's messages), or the user asked for it with a file named "portable".
// A merely writable program folder is not enough: that is also true of a
// build tree or a folder in $HOME, where data belongs in the user's data folder.
bool IsPortableCopy(const std::string& programDir) {
    return Exists(programDir + "murmex.cfg") || Exists(programDir + CPaths::kPortableMarker);
}

} // namespace

std::string ProgramDirectoryFromCommandLine(std::string_view commandLine) {
    std::string_view path = commandLine;
    // The program path is the first word; a quoted one may hold blanks.
    if (!path.empty() && path.front() == '"') {
        path.remove_prefix(1);
        path = path.substr(0, path.find('"'));
    } else {
        path = path.substr(0, path.find(' '));
    }
    auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(path.substr(0, slash + 1));
}

void CPaths::Init(std::string_view argv0) {
    // argv[0] is one word already; quote it so blanks in it survive the parse.
    std::string programDir = ProgramDirectoryFromCommandLine("\"" + std::string(argv0) + "\"");
    std::string dataDir;
    if (const char* home = std::getenv("MURMEX_HOME"); home && *home) {
        dataDir = WithSlash(home);
        MakeDirectories(dataDir);
    } else {
        if (IsPortableCopy(programDir)) {
            dataDir = programDir;
        } else {
            dataDir = XdgDataDirectory();
            MakeDirectories(dataDir);
        }
    }
    std::lock_guard lock(g_pathsMutex);
    g_programDirectory = std::move(programDir);
    g_dataDirectory = std::move(dataDir);
}

std::string CPaths::ProgramDirectory() {
    std::lock_guard lock(g_pathsMutex);
    return g_programDirectory;
}

std::string CPaths::DataDirectory() {
    std::lock_guard lock(g_pathsMutex);
    return g_dataDirectory;
}

void CPaths::SetDataDirectory(std::string directory) {
    std::lock_guard lock(g_pathsMutex);
    g_dataDirectory = WithSlash(std::move(directory));
}

std::string CPaths::DataFile(std::string_view name) {
    std::lock_guard lock(g_pathsMutex);
    return g_dataDirectory + std::string(name);
}

std::string CPaths::Resource(std::string_view name) {
    std::string data, program;
    {
        std::lock_guard lock(g_pathsMutex);
        data = g_dataDirectory + std::string(name);
        program = g_programDirectory + std::string(name);
    }
    if (Exists(data))
        return data;
    if (Exists(program))
        return program;
    std::string shared = std::string(MURMEX_SHARE_DIR "/") + std::string(name);
    if (Exists(shared))
        return shared;
    return data;
}

} // namespace murmex
