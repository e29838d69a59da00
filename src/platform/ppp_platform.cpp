#include "platform/ppp_platform.h"

#include "platform/network_state.h"
#include "platform/ppp_links.h"
#include "platform/process_spawn.h"

#include <utility>

namespace murmex {

CPppPlatform::CPppPlatform(std::string root, std::string dialProgram, std::string hangUpProgram)
    : m_root(std::move(root)), m_dialProgram(std::move(dialProgram)),
      m_hangUpProgram(std::move(hangUpProgram)) {
    if (m_root.empty() || m_root.back() != '/')
        m_root += '/';
}

bool CPppPlatform::HasDefaultRoute() {
    return murmex::HasDefaultRoute(m_root);
}

std::vector<std::string> CPppPlatform::ListPeers() {
    return ListPppPeers(m_root);
}

bool CPppPlatform::ListActiveLinks(std::vector<SActiveLink>& links) {
    return ListPppLinks(m_root, links);
}

bool CPppPlatform::IsInterfaceRunning(const std::string& interfaceName) {
    return murmex::IsInterfaceRunning(m_root, interfaceName);
}

bool CPppPlatform::IsPlainPeerName(const std::string& peer) {
    if (peer.empty() || peer == "." || peer == ".." || peer.front() == '-')
        return false;
    for (char c : peer)
        if (c == '/' || static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            return false;
    return true;
}

bool CPppPlatform::Dial(const std::string& peer) {
    if (!IsPlainPeerName(peer))
        return false;
    return RunProgram(m_dialProgram, {peer}) == 0;
}

bool CPppPlatform::AutoDial() {
    return RunProgram(m_dialProgram, {}) == 0;
}

bool CPppPlatform::HangUp() {
    return RunProgram(m_hangUpProgram, {"-a"}) == 0;
}

} // namespace murmex
