#include "platform/program_path.h"

#include <climits>
#include <unistd.h>

namespace murmex {

std::string ProgramPathFromArgv0(std::string_view argv0) {
    if (argv0.find('/') == std::string_view::npos) {
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        if (n <= 0)
            return {};
        return std::string(buffer, static_cast<std::size_t>(n));
    }
    std::string path(argv0);
    if (path.front() == '/')
        return path;
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd))
        return {};
    while (path.starts_with("./"))
        path.erase(0, 2);
    std::string base(cwd);
    if (base.back() != '/')
        base += '/';
    return base + path;
}

} // namespace murmex
