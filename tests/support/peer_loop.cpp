#include "support/peer_loop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace murmex::test {

CPeerLoop::CPeerLoop(Answer answer) : m_answer(std::move(answer)) {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listenFd, 16) != 0) {
        ::close(m_listenFd);
        throw std::runtime_error("fake service cannot listen");
    }
    socklen_t len = sizeof addr;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_thread = std::jthread([this](std::stop_token stop) { Serve(stop); });
}

CPeerLoop::~CPeerLoop() {
    Stop();
}

void CPeerLoop::Stop() {
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
    }
}

int CPeerLoop::Connections() {
    std::lock_guard lock(m_mutex);
    return m_connections;
}

void CPeerLoop::Serve(std::stop_token stop) {
    while (!stop.stop_requested()) {
        pollfd p{m_listenFd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        {
            std::lock_guard lock(m_mutex);
            ++m_connections;
        }
        ServeConnection(fd, stop);
        ::close(fd);
    }
}

void CPeerLoop::ServeConnection(int fd, std::stop_token stop) {
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
            const std::string line = pending.substr(0, end + 2);
            pending.erase(0, end + 2);
            const SPeerReply reply = m_answer(line);
            if (reply.silent)
                continue;
            for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
                if (i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(15));
                ::send(fd, reply.pieces[i].data(), reply.pieces[i].size(), MSG_NOSIGNAL);
            }
            if (reply.closeAfter)
                return;
        }
    }
}

} // namespace murmex::test
