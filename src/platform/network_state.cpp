#include "platform/network_state.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace murmex {
namespace {

// Interface and route flags as the kernel writes them.
constexpr unsigned long kIffUp = 0x1;
constexpr unsigned long kIffLoopback = 0x8;
constexpr unsigned long kRtfUp = 0x1;
constexpr unsigned long kRtfReject = 0x200;

// Reads a hexadecimal number that must fill the whole field ("0x" allowed).
bool ParseHex(const std::string& text, unsigned long& value) {
    if (text.empty() || text.size() > 18)
        return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 16);
    return end && *end == '\0';
}

bool InterfaceFlags(const std::string& root, const std::string& name, unsigned long& flags) {
    if (!IsPlainInterfaceName(name))
        return false;
    std::ifstream in(root + "sys/class/net/" + name + "/flags");
    std::string text;
    if (!(in >> text))
        return false;
    return ParseHex(text, flags);
}

// The sysfs flags lack the running bit; the kernel derives it as up plus an
// operational state of "up" or "unknown" (which is what point-to-point links report).
bool IsOperational(const std::string& root, const std::string& name) {
    std::ifstream in(root + "sys/class/net/" + name + "/operstate");
    std::string state;
    if (!(in >> state))
        return false;
    return state == "up" || state == "unknown";
}

// A default route may only count when it leaves this machine.
bool UsableRouteInterface(const std::string& root, const std::string& name) {
    if (name == "lo")
        return false;
    unsigned long flags = 0;
    if (!InterfaceFlags(root, name, flags))
        return false;
    return (flags & kIffLoopback) == 0 && (flags & kIffUp) && IsOperational(root, name);
}

std::vector<std::string> Fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    std::string field;
    while (in >> field)
        fields.push_back(field);
    return fields;
}

// /proc/net/route: a header line, then Iface Destination Gateway Flags RefCnt
// Use Metric Mask ... with addresses and flags in hexadecimal.
bool HasIpv4DefaultRoute(const std::string& root) {
    std::ifstream in(root + "proc/net/route");
    std::string line;
    if (!std::getline(in, line))
        return false;
    while (std::getline(in, line)) {
        const auto f = Fields(line);
        unsigned long destination = 1, flags = 0, mask = 1;
        if (f.size() < 8 || !ParseHex(f[1], destination) || !ParseHex(f[3], flags) ||
            !ParseHex(f[7], mask))
            continue;
        if (destination != 0 || mask != 0 || !(flags & kRtfUp) || (flags & kRtfReject))
            continue;
        if (UsableRouteInterface(root, f[0]))
            return true;
    }
    return false;
}

// /proc/net/ipv6_route: no header; destination, its prefix length, source, its
// prefix length, next hop, metric, reference count, use, flags, interface.
bool HasIpv6DefaultRoute(const std::string& root) {
    std::ifstream in(root + "proc/net/ipv6_route");
    std::string line;
    while (std::getline(in, line)) {
        const auto f = Fields(line);
        unsigned long prefix = 1, flags = 0;
        if (f.size() < 10 || f[0] != std::string(32, '0') || !ParseHex(f[1], prefix) ||
            !ParseHex(f[8], flags))
            continue;
        if (prefix != 0 || !(flags & kRtfUp) || (flags & kRtfReject))
            continue;
        if (UsableRouteInterface(root, f[9]))
            return true;
    }
    return false;
}

} // namespace

bool IsPlainInterfaceName(const std::string& name) {
    // The kernel limits names to 15 bytes; '/' and the dot names would leave the folder.
    if (name.empty() || name.size() > 15 || name == "." || name == "..")
        return false;
    for (char c : name)
        if (c == '/' || static_cast<unsigned char>(c) <= ' ')
            return false;
    return true;
}

bool IsInterfaceRunning(const std::string& root, const std::string& name) {
    unsigned long flags = 0;
    if (!InterfaceFlags(root, name, flags))
        return false;
    return (flags & kIffUp) && IsOperational(root, name);
}

bool HasDefaultRoute(const std::string& root) {
    return HasIpv4DefaultRoute(root) || HasIpv6DefaultRoute(root);
}

} // namespace murmex
