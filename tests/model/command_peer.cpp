#include "command_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace murmex::test {

CCommandPeer::CCommandPeer() {
    m_defaults[1280] = "2000 friends=\"\" ";
    m_defaults[1350] = "4000 ";
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listenFd, 16) != 0)
        throw std::runtime_error("command peer cannot listen");
    socklen_t len = sizeof addr;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_thread = std::jthread([this](std::stop_token stop) { Serve(stop); });
}

CCommandPeer::~CCommandPeer() {
    m_thread.request_stop();
    m_thread.join();
    ::close(m_listenFd);
}

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

std::string CCommandPeer::Answer(const std::string& line) {
    const int code = std::atoi(line.substr(0, 4).c_str());
    std::lock_guard lock(m_mutex);
    m_requests.push_back(line);
    auto& queue = m_script[code];
    if (!queue.empty()) {
        std::string reply = std::move(queue.front());
        queue.pop_front();
        return reply;
    }
    auto it = m_defaults.find(code);
    return it != m_defaults.end() ? it->second : std::string("2000 ");
}

void CCommandPeer::Serve(std::stop_token stop) {
    while (!stop.stop_requested()) {
        pollfd p{m_listenFd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ServeConnection(fd, stop);
        ::close(fd);
    }
}

void CCommandPeer::ServeConnection(int fd, std::stop_token stop) {
    std::string pending;
    char buffer[4096];
    while (!stop.stop_requested()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        pending.append(buffer, static_cast<std::size_t>(n));
        std::size_t end;
        while ((end = pending.find("\r\n")) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 2);
            const std::string reply = Answer(line) + "\r\n";
            ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
    }
}

} // namespace murmex::test
