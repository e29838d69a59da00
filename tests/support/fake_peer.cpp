#include "support/fake_peer.h"

#include <cstdlib>

namespace murmex::test {

CFakePeer::CFakePeer() : m_loop([this](const std::string& line) { return Answer(line); }) {}

CFakePeer::~CFakePeer() {
    Stop();
}

void CFakePeer::Script(SReply reply) {
    std::lock_guard lock(m_mutex);
    m_script.push_back(std::move(reply));
}

std::vector<std::string> CFakePeer::Requests() {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool CFakePeer::WaitForRequests(std::size_t n, std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, limit, [&] { return m_requests.size() >= n; });
}

CFakePeer::SReply CFakePeer::Answer(const std::string& line) {
    SReply reply{{"2000 \r\n"}, false, false};
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(line);
        if (!m_script.empty()) {
            reply = std::move(m_script.front());
            m_script.pop_front();
        }
    }
    m_cv.notify_all();
    return reply;
}

CCommandPeer::CCommandPeer()
    : m_defaults{{1280, "2000 friends=\"\" "}, {1350, "4000 "}},
      m_loop([this](const std::string& line) { return Answer(line); }) {}

void CCommandPeer::Reply(int code, std::string line) {
    std::lock_guard lock(m_mutex);
    m_script[code].push_back(std::move(line));
}

void CCommandPeer::Default(int code, std::string line) {
    std::lock_guard lock(m_mutex);
    m_defaults[code] = std::move(line);
}

std::vector<std::string> CCommandPeer::Requests() {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::vector<std::string> CCommandPeer::RequestsFor(int code) {
    const std::string prefix = std::to_string(code);
    std::vector<std::string> out;
    for (auto& line : Requests())
        if (line.compare(0, prefix.size(), prefix) == 0)
            out.push_back(line);
    return out;
}

SPeerReply CCommandPeer::Answer(const std::string& lineWithEnd) {
    const std::string line = lineWithEnd.substr(0, lineWithEnd.size() - 2);
    const int code = std::atoi(line.substr(0, 4).c_str());
    std::string reply;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(line);
        auto& queue = m_script[code];
        if (!queue.empty()) {
            reply = std::move(queue.front());
            queue.pop_front();
        } else {
            auto it = m_defaults.find(code);
            reply = it != m_defaults.end() ? it->second : std::string("2000 ");
        }
    }
    return SPeerReply{{reply + "\r\n"}, false, false};
}

} // namespace murmex::test
