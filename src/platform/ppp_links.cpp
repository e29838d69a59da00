#include "platform/ppp_links.h"

#include "platform/network_state.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>

namespace murmex {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Directory entries in byte order; false when the folder cannot be opened.
bool ListFolder(const std::string& path, std::vector<std::string>& names) {
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        names.push_back(std::move(name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

// Reads at most a small file's worth: these files hold a line or two, and a
// huge or endless file must not stall the 200 ms heartbeat.
std::string ReadSmallFile(const std::string& path, std::size_t cap) {
    std::ifstream in(path, std::ios::binary);
    std::string data(cap, '\0');
    in.read(data.data(), static_cast<std::streamsize>(cap));
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

bool ParsePid(const std::string& text, int& pid) {
    if (text.empty() || text.size() > 9)
        return false;
    pid = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        pid = pid * 10 + (c - '0');
    }
    return pid > 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The arguments of a live daemon process; false when the process is gone or is
// something else (a stale pid file whose number was reused).
bool DaemonArguments(const std::string& root, int pid, std::vector<std::string>& args) {
    const std::string cmdline =
        ReadSmallFile(root + "proc/" + std::to_string(pid) + "/cmdline", 64 * 1024);
    args.clear();
    std::string arg;
    for (char c : cmdline) {
        if (c == '\0') {
            args.push_back(arg);
            arg.clear();
        } else {
            arg += c;
        }
    }
    if (!arg.empty())
        args.push_back(arg);
    if (args.empty())
        return false;
    const std::string& program = args.front();
    const auto slash = program.rfind('/');
    return program.substr(slash == std::string::npos ? 0 : slash + 1) == "pppd";
}

std::string ArgumentAfter(const std::vector<std::string>& args, const std::string& option) {
    for (std::size_t i = 1; i + 1 < args.size(); ++i)
        if (args[i] == option)
            return args[i + 1];
    return {};
}

SActiveLink* FindPid(std::vector<SActiveLink>& links, int pid) {
    for (auto& link : links)
        if (link.pid == pid)
            return &link;
    return nullptr;
}

} // namespace

std::vector<std::string> ListPppPeers(const std::string& root) {
    const std::string folder = root + "etc/ppp/peers/";
    std::vector<std::string> names;
    if (!ListFolder(folder, names))
        return {};
    std::vector<std::string> peers;
    for (auto& name : names) {
        if (name.front() == '.')
            continue;
        struct stat info {};
        if (::stat((folder + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        peers.push_back(std::move(name));
    }
    return peers;
}

bool ListPppLinks(const std::string& root, std::vector<SActiveLink>& links) {
    links.clear();
    std::vector<std::string> names;
    if (!ListFolder(root + "run", names))
        return false;
    for (const auto& name : names) {
        if (!StartsWith(name, "ppp") || !EndsWith(name, ".pid"))
            continue;
        const std::string stem = name.substr(3, name.size() - 7);
        const auto lines = SplitLines(ReadSmallFile(root + "run/" + name, 256));
        int pid = 0;
        if (lines.empty() || !ParsePid(lines[0], pid))
            continue;
        std::vector<std::string> args;
        if (!DaemonArguments(root, pid, args))
            continue;

        SActiveLink* link = FindPid(links, pid);
        if (!link) {
            links.push_back(
                SActiveLink{pid, ArgumentAfter(args, "call"), ArgumentAfter(args, "linkname"), {}});
            link = &links.back();
        }
        if (StartsWith(stem, "-")) {
            // The link name from the pid file wins: it may come from the peer file.
            link->linkName = stem.substr(1);
            if (lines.size() > 1 && link->interfaceName.empty() && IsPlainInterfaceName(lines[1]))
                link->interfaceName = lines[1];
        } else if (!stem.empty() && stem.size() <= 6 &&
                   std::all_of(stem.begin(), stem.end(),
                               [](char c) { return c >= '0' && c <= '9'; })) {
            link->interfaceName = "ppp" + stem;
        }
    }
    return true;
}

} // namespace murmex
