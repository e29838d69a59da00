#include "server/service_server.h"

#include "platform/clock.h"
#include "server/line_buffer.h"
#include "server/request_line.h"
#include "server/response_codes.h"
#include "server/session.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace murmex {

// One client connection, owned by the loop thread. While a command runs
// (busy) the worker uses `session`; the connection lives on until it returns,
// even when the socket has been closed in the meantime.
struct SConnection {
    SConnection(int socket, std::uint64_t key, std::size_t maxLine, std::int64_t now)
        : fd(socket), id(key), input(maxLine), lastActivity(now) {}

    int fd;
    std::uint64_t id;
    CLineBuffer input;
    std::string output; // the unsent rest of an answer
    SSession session;
    bool busy = false;          // a command or delivery acknowledgement is running
    bool closing = false;       // close once the answer in hand has gone out
    bool peerClosed = false;    // the client will send nothing more
    std::int64_t delivered = 0; // waiting message in the answer being sent
    std::uint64_t received = 0; // bytes received so far
    // Messages whose answers have gone out, each with the count of bytes
    // received by then: a request that ends after that count was sent after
    // the answer and acknowledges it. Until then the message stays queued.
    std::vector<std::pair<std::int64_t, std::uint64_t>> unacknowledged;
    std::int64_t lastActivity;
    std::uint32_t events = 0;
};

namespace {

constexpr std::uint64_t kListenKey = 0;
constexpr std::uint64_t kWakeKey = 1;
constexpr std::uint64_t kFirstConnectionKey = 2;

int QuickWorkerCount(int configured) {
    if (configured > 0)
        return configured;
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return cores < 2 ? 2 : cores;
}

std::string Errno(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

CServiceServer::CServiceServer(SServerSettings settings)
    : m_settings(std::move(settings)),
      m_clock(m_settings.clock ? *m_settings.clock : CSystemClock::Instance()),
      m_ownHasher(m_settings.hashCost),
      m_hasher(m_settings.hasher ? *m_settings.hasher : m_ownHasher) {}

CServiceServer::~CServiceServer() {
    Stop();
}

std::int64_t CServiceServer::NowMs() const {
    return m_clock.MonotonicMs();
}

bool CServiceServer::OpenWorkers() {
    const SServiceShared shared{m_hasher, *m_lease, m_clock};
    auto open = [&](int count, std::vector<std::unique_ptr<SWorkerContext>>& contexts) {
        for (int i = 0; i < count; ++i) {
            auto context = std::make_unique<SWorkerContext>();
            if (!context->db.Open(m_settings.database)) {
                m_error = "cannot open the database " + m_settings.database + ": " +
                          context->db.LastError();
                return false;
            }
            context->handler = std::make_unique<CCommandHandler>(context->db, shared);
            contexts.push_back(std::move(context));
        }
        return true;
    };
    std::vector<std::unique_ptr<SWorkerContext>> quick;
    std::vector<std::unique_ptr<SWorkerContext>> hashing;
    if (!open(QuickWorkerCount(m_settings.workers), quick) ||
        !open(m_settings.hashWorkers > 0 ? m_settings.hashWorkers : 1, hashing))
        return false;
    m_quick.Start(std::move(quick));
    m_hashing.Start(std::move(hashing));
    return true;
}

bool CServiceServer::Listen() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_settings.port);
    if (::inet_pton(AF_INET, m_settings.address.c_str(), &address.sin_addr) != 1) {
        m_error = "not an IPv4 address: " + m_settings.address;
        return false;
    }
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) {
        m_error = Errno("socket");
        return false;
    }
    int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        m_error =
            Errno(("bind " + m_settings.address + ":" + std::to_string(m_settings.port)).c_str());
        return false;
    }
    if (::listen(m_listenFd, SOMAXCONN) != 0) {
        m_error = Errno("listen");
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);

    m_epollFd = ::epoll_create1(EPOLL_CLOEXEC);
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_epollFd < 0 || m_wakeFd < 0) {
        m_error = Errno("epoll");
        return false;
    }
    epoll_event listenEvent{};
    listenEvent.events = EPOLLIN;
    listenEvent.data.u64 = kListenKey;
    epoll_event wakeEvent{};
    wakeEvent.events = EPOLLIN;
    wakeEvent.data.u64 = kWakeKey;
    if (::epoll_ctl(m_epollFd, EPOLL_CTL_ADD, m_listenFd, &listenEvent) != 0 ||
        ::epoll_ctl(m_epollFd, EPOLL_CTL_ADD, m_wakeFd, &wakeEvent) != 0) {
        m_error = Errno("epoll_ctl");
        return false;
    }
    return true;
}

bool CServiceServer::Start() {
    if (m_started)
        return true;
    m_nextId = kFirstConnectionKey;
    if (!CPasswordHasher::InitLibrary()) {
        m_error = "the password library cannot start";
        return false;
    }
    m_lease = std::make_unique<CInstanceLease>(m_settings.database, m_settings.instanceLease);
    std::string error;
    if (!m_lease->Start(error)) {
        m_error = "cannot open the database " + m_settings.database + ": " + error;
        m_lease.reset();
        Stop();
        return false;
    }
    if (!OpenWorkers() || !Listen()) {
        Stop();
        return false;
    }
    m_started = true;
    m_loop = std::jthread([this](std::stop_token stop) { Loop(stop); });
    return true;
}

void CServiceServer::Stop() {
    if (m_loop.joinable()) {
        m_loop.request_stop();
        const std::uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
        m_loop.join();
    }
    // Workers first: a running command may still use its connection's session.
    m_quick.Stop();
    m_hashing.Stop();
    for (auto& [id, c] : m_connections)
        if (c->fd >= 0)
            ::close(c->fd);
    m_connections.clear();
    m_closed.clear();
    m_connectionCount = 0;
    m_completions.clear();
    // The instance's sessions and claims go with it.
    if (m_lease)
        m_lease->Stop();
    m_lease.reset();
    for (int* fd : {&m_listenFd, &m_epollFd, &m_wakeFd}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    m_started = false;
}

void CServiceServer::Loop(std::stop_token stop) {
    constexpr int kMaxEvents = 256;
    epoll_event events[kMaxEvents];
    const int tick = static_cast<int>(m_settings.tick.count());
    while (!stop.stop_requested()) {
        const int count = ::epoll_wait(m_epollFd, events, kMaxEvents, tick > 0 ? tick : 250);
        if (count < 0 && errno != EINTR)
            break;
        for (int i = 0; i < count; ++i) {
            const std::uint64_t key = events[i].data.u64;
            if (key == kListenKey) {
                AcceptAll();
                continue;
            }
            if (key == kWakeKey) {
                std::uint64_t drained = 0;
                [[maybe_unused]] auto got = ::read(m_wakeFd, &drained, sizeof drained);
                continue;
            }
            auto found = m_connections.find(key);
            if (found == m_connections.end() || found->second->fd < 0)
                continue;
            SConnection& c = *found->second;
            const std::uint32_t ev = events[i].events;
            if (ev & EPOLLERR) {
                Close(c);
                continue;
            }
            if (ev & (EPOLLIN | EPOLLHUP | EPOLLRDHUP))
                OnReadable(c);
            if (c.fd >= 0 && (ev & EPOLLOUT))
                OnWritable(c);
        }
        ProcessCompletions();
        CloseIdle();
        ReapClosed();
    }
    if (!stop.stop_requested())
        std::fprintf(stderr, "murmexd: %s\n", Errno("epoll_wait").c_str());
}

void CServiceServer::AcceptAll() {
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors: stop accepting for a moment rather than
                // spin on a listening socket that stays readable.
                epoll_event none{};
                none.data.u64 = kListenKey;
                ::epoll_ctl(m_epollFd, EPOLL_CTL_MOD, m_listenFd, &none);
                m_acceptPausedUntil = NowMs() + 100;
            }
            return;
        }
        if (static_cast<int>(m_connections.size()) >= m_settings.maxConnections) {
            static const std::string busy = FormatResponse(RESP_BUSY, CParamRecord());
            [[maybe_unused]] auto sent =
                ::send(fd, busy.data(), busy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            ::close(fd);
            continue;
        }
        // Every answer is one send; without this a short answer waits for an ACK.
        int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        const std::uint64_t id = m_nextId++;
        auto connection = std::make_unique<SConnection>(fd, id, m_settings.maxLine, NowMs());
        SConnection& c = *connection;
        c.session.connection = id;
        m_connections.emplace(id, std::move(connection));
        ++m_connectionCount;
        UpdateEvents(c);
    }
}

void CServiceServer::OnReadable(SConnection& c) {
    char buffer[16384];
    for (int round = 0; round < 4 && !c.input.Full() && !c.peerClosed; ++round) {
        const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            c.input.Append(buffer, static_cast<std::size_t>(n));
            c.received += static_cast<std::uint64_t>(n);
            c.lastActivity = NowMs();
            if (static_cast<std::size_t>(n) < sizeof buffer)
                break;
            continue;
        }
        if (n == 0) {
            c.peerClosed = true;
            break;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            break;
        Close(c);
        return;
    }
    Advance(c);
    UpdateEvents(c);
}

void CServiceServer::OnWritable(SConnection& c) {
    const ssize_t n = ::send(c.fd, c.output.data(), c.output.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            Close(c);
        return;
    }
    c.output.erase(0, static_cast<std::size_t>(n));
    c.lastActivity = NowMs(); // a client still reading its answer is not idle
    if (!c.output.empty())
        return;
    UpdateEvents(c);
    ResponseSent(c);
}

// Takes the connection as far as it can go without waiting: the next request
// when nothing is in flight, or the end when the client is done.
void CServiceServer::Advance(SConnection& c) {
    while (c.fd >= 0 && !c.busy && c.output.empty()) {
        if (c.closing) {
            Close(c);
            return;
        }
        std::string line;
        switch (c.input.Next(line)) {
        case CLineBuffer::ENext::Line:
            Dispatch(c, std::move(line));
            return;
        case CLineBuffer::ENext::TooLong:
            // The rest of such a line cannot be told from the next request: end here.
            c.input.Clear();
            Send(c, FormatResponse(RESP_LINE_TOO_LONG, CParamRecord()), true, 0);
            return;
        case CLineBuffer::ENext::NeedMore:
            if (c.peerClosed)
                Close(c);
            return;
        }
    }
}

void CServiceServer::Dispatch(SConnection& c, std::string line) {
    c.busy = true;
    const std::uint64_t id = c.id;
    SSession* session = &c.session;
    const int code = PeekCommandCode(line);
    // A request whose last byte came after an answer was sent can only have
    // been written by a client that read that answer: its message may go. A
    // request pipelined before it acknowledges nothing.
    const std::uint64_t lineEnd = c.received - c.input.Size();
    std::vector<std::int64_t> acknowledged;
    std::erase_if(c.unacknowledged, [&](const auto& pending) {
        if (lineEnd <= pending.second)
            return false;
        acknowledged.push_back(pending.first);
        return true;
    });
    CWorkerPool& pool = CCommandHandler::HashesPassword(code) ? m_hashing : m_quick;
    pool.Submit([this, id, session, line = std::move(line),
                 acknowledged = std::move(acknowledged)](SWorkerContext& worker) {
        for (std::int64_t message : acknowledged)
            worker.handler->ConfirmDelivery(message);
        SCommandResult result = worker.handler->HandleLine(line, *session);
        SCompletion completion;
        completion.connection = id;
        completion.wire = FormatResponse(result.code, result.record);
        completion.delivered = result.deliveredMessage;
        PostCompletion(std::move(completion));
    });
}

void CServiceServer::Send(SConnection& c, std::string wire, bool closeAfter,
                          std::int64_t delivered) {
    c.closing = c.closing || closeAfter;
    c.delivered = delivered;
    // The answer counts as activity from the moment it leaves: stamped after the
    // send, a client that already read it could see its idle time start late.
    c.lastActivity = NowMs();
    // The whole answer in one send; only a client that stopped reading leaves a rest.
    const ssize_t n = ::send(c.fd, wire.data(), wire.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        Close(c);
        return;
    }
    const std::size_t sent = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (sent < wire.size()) {
        c.output = wire.substr(sent);
        UpdateEvents(c);
        return;
    }
    ResponseSent(c);
}

void CServiceServer::ResponseSent(SConnection& c) {
    if (c.delivered) {
        // Handed to the kernel is not read by the client: the message stays
        // queued (and claimed by this connection) until the client's next
        // request shows that it got the answer.
        c.unacknowledged.emplace_back(c.delivered, c.received);
        c.delivered = 0;
    }
    Advance(c);
}

void CServiceServer::UpdateEvents(SConnection& c) {
    if (c.fd < 0)
        return;
    std::uint32_t wanted = 0;
    if (!c.peerClosed && !c.closing && !c.input.Full())
        wanted |= EPOLLIN | EPOLLRDHUP;
    if (!c.output.empty())
        wanted |= EPOLLOUT;
    if (wanted == c.events)
        return;
    // A socket with nothing to wait for leaves the set altogether: registered
    // with no events it would still report a hang-up on every round.
    epoll_event event{};
    event.events = wanted;
    event.data.u64 = c.id;
    const int op = wanted == 0 ? EPOLL_CTL_DEL : c.events == 0 ? EPOLL_CTL_ADD : EPOLL_CTL_MOD;
    ::epoll_ctl(m_epollFd, op, c.fd, &event);
    c.events = wanted;
}

void CServiceServer::Close(SConnection& c) {
    if (c.fd < 0)
        return;
    if (c.events)
        ::epoll_ctl(m_epollFd, EPOLL_CTL_DEL, c.fd, nullptr);
    ::close(c.fd);
    c.fd = -1;
    c.events = 0;
    // Freed at the end of the round, when no caller up the stack holds it.
    m_closed.push_back(c.id);
}

void CServiceServer::ReapClosed() {
    std::vector<std::uint64_t> closed;
    closed.swap(m_closed);
    for (std::uint64_t id : closed) {
        auto found = m_connections.find(id);
        // A busy one comes back here when its command returns.
        if (found != m_connections.end() && !found->second->busy)
            Destroy(id);
    }
}

void CServiceServer::Destroy(std::uint64_t id) {
    auto found = m_connections.find(id);
    if (found == m_connections.end())
        return;
    SConnection& c = *found->second;
    EndConnection(c); // unsent or unacknowledged: the messages wait for the next fetch
    m_connections.erase(found);
    --m_connectionCount;
}

void CServiceServer::EndConnection(SConnection& c) {
    if (!c.session.qid && !c.delivered && c.unacknowledged.empty())
        return; // left nothing behind in the database
    m_quick.Submit(
        [connection = c.id](SWorkerContext& worker) { worker.handler->EndConnection(connection); });
}

void CServiceServer::PostCompletion(SCompletion completion) {
    {
        std::lock_guard lock(m_completionMutex);
        m_completions.push_back(std::move(completion));
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
}

void CServiceServer::ProcessCompletions() {
    std::vector<SCompletion> done;
    {
        std::lock_guard lock(m_completionMutex);
        done.swap(m_completions);
    }
    for (SCompletion& completion : done) {
        auto found = m_connections.find(completion.connection);
        if (found == m_connections.end())
            continue;
        SConnection& c = *found->second;
        c.busy = false;
        if (c.fd < 0) {
            c.delivered = completion.delivered;
            m_closed.push_back(c.id);
            continue;
        }
        Send(c, std::move(completion.wire), false, completion.delivered);
        if (c.fd >= 0)
            UpdateEvents(c);
    }
}

void CServiceServer::CloseIdle() {
    const std::int64_t now = NowMs();
    if (m_acceptPausedUntil && now >= m_acceptPausedUntil) {
        m_acceptPausedUntil = 0;
        epoll_event listenEvent{};
        listenEvent.events = EPOLLIN;
        listenEvent.data.u64 = kListenKey;
        ::epoll_ctl(m_epollFd, EPOLL_CTL_MOD, m_listenFd, &listenEvent);
    }
    const std::int64_t limit = m_settings.idleTimeout.count();
    if (limit <= 0)
        return;
    std::vector<SConnection*> idle;
    for (auto& [id, c] : m_connections)
        if (c->fd >= 0 && !c->busy && now - c->lastActivity >= limit)
            idle.push_back(c.get());
    for (SConnection* c : idle)
        Close(*c);
}

} // namespace murmex
