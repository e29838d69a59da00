#include "platform/tcp_socket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace murmex {

CTcpSocket::~CTcpSocket() {
    Close();
}

bool CTcpSocket::StartSocketsLayer() {
    std::signal(SIGPIPE, SIG_IGN);
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool CTcpSocket::ParseIpv4(std::string_view text, std::uint32_t& addressNetworkOrder) {
    std::uint32_t host = 0;
    int parts = 0;
    std::size_t i = 0;
    while (parts < 4) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        unsigned value = 0;
        int digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            if (++digits > 3 || value > 255)
                return false;
            ++i;
        }
        host = (host << 8) | value;
        ++parts;
        if (parts < 4) {
            if (i >= text.size() || text[i] != '.')
                return false;
            ++i;
        }
    }
    if (i != text.size())
        return false;
    addressNetworkOrder = htonl(host);
    return true;
}

bool CTcpSocket::Create() {
    Close();
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    std::lock_guard lock(m_fdMutex);
    m_fd = fd;
    return true;
}

CTcpSocket::EStart CTcpSocket::StartConnect(std::uint32_t addressNetworkOrder, std::uint16_t port) {
    if (!SetBlocking(false))
        return EStart::Failed;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = addressNetworkOrder;
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
        return EStart::Connected;
    return errno == EINPROGRESS ? EStart::InProgress : EStart::Failed;
}

CTcpSocket::EWait CTcpSocket::WaitConnected(std::chrono::milliseconds limit) {
    EWait w = Wait(POLLOUT, limit);
    if (w != EWait::Ready)
        return w;
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0)
        return EWait::Failed;
    return EWait::Ready;
}

bool CTcpSocket::SetBlocking(bool blocking) {
    if (m_fd < 0)
        return false;
    int flags = ::fcntl(m_fd, F_GETFL, 0);
    if (flags < 0)
        return false;
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return ::fcntl(m_fd, F_SETFL, flags) == 0;
}

bool CTcpSocket::SetTimeouts(std::chrono::milliseconds send, std::chrono::milliseconds receive) {
    auto toTimeval = [](std::chrono::milliseconds ms) {
        timeval tv{};
        tv.tv_sec = static_cast<time_t>(ms.count() / 1000);
        tv.tv_usec = static_cast<suseconds_t>((ms.count() % 1000) * 1000);
        return tv;
    };
    timeval snd = toTimeval(send), rcv = toTimeval(receive);
    return m_fd >= 0 && ::setsockopt(m_fd, SOL_SOCKET, SO_SNDTIMEO, &snd, sizeof snd) == 0 &&
           ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &rcv, sizeof rcv) == 0;
}

CTcpSocket::EWait CTcpSocket::Wait(short events, std::chrono::milliseconds limit) {
    if (m_fd < 0)
        return EWait::Failed;
    pollfd p{m_fd, events, 0};
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        int n = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (n > 0) {
            // A readable socket with a pending error or hang-up is still "ready":
            // the following recv reports what happened.
            if ((p.revents & events) != 0)
                return EWait::Ready;
            if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return (events & POLLIN) && !(p.revents & POLLNVAL) ? EWait::Ready : EWait::Failed;
            return EWait::Failed;
        }
        if (n == 0)
            return EWait::Timeout;
        if (errno != EINTR)
            return EWait::Failed;
    }
}

bool CTcpSocket::SendAll(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

long CTcpSocket::Receive(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::recv(m_fd, buffer, size, 0);
        if (n >= 0 || errno != EINTR)
            return static_cast<long>(n);
    }
}

bool CTcpSocket::IsOpen() const {
    std::lock_guard lock(m_fdMutex);
    return m_fd >= 0;
}

void CTcpSocket::Close() {
    std::lock_guard lock(m_fdMutex);
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void CTcpSocket::Shutdown() {
    std::lock_guard lock(m_fdMutex);
    if (m_fd >= 0)
        ::shutdown(m_fd, SHUT_RDWR);
}

} // namespace murmex
