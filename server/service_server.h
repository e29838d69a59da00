#pragma once

#include "protocol/command_codes.h"
#include "server/instance_lease.h"
#include "server/password_hasher.h"
#include "server/worker_pool.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace murmex {

class IClock;
struct SConnection;

struct SServerSettings {
    std::string address = "127.0.0.1";
    std::uint16_t port = kServicePort; // 0: any free port (see Port())
    std::string database = "murmexd.db";
    CPasswordHasher::ECost hashCost = CPasswordHasher::ECost::Interactive;
    std::chrono::milliseconds idleTimeout = std::chrono::minutes(5);
    std::size_t maxLine = 64 * 1024;
    int maxConnections = 4096;
    int workers = 0;     // quick commands; 0: one per core, at least two
    int hashWorkers = 2; // commands that hash a password (each hash takes 64 MiB)
    // How long this instance's members stay present, and its deliveries
    // claimed, after it stops renewing (it died): the others wait this long.
    std::chrono::milliseconds instanceLease = std::chrono::seconds(15);
    // How often idle connections are looked for.
    std::chrono::milliseconds tick = std::chrono::milliseconds(250);
    const IClock* clock = nullptr;           // the system clock when none
    const CPasswordHasher* hasher = nullptr; // one of hashCost when none
};

// The service server: one thread multiplexes every connection (epoll), cuts
// the input into request lines and writes the answers; the commands run on
// worker threads. A connection has at most one command in flight, so its
// answers come in order; a slow command or a client that stops reading
// holds up nobody else.
class CServiceServer {
public:
    explicit CServiceServer(SServerSettings settings);
    ~CServiceServer();
    CServiceServer(const CServiceServer&) = delete;
    CServiceServer& operator=(const CServiceServer&) = delete;

    // Opens the database, listens and starts serving; false with LastError() set.
    bool Start();
    // Closes every connection, waits for the threads, closes the database.
    void Stop();

    std::uint16_t Port() const { return m_port; }
    const std::string& Address() const { return m_settings.address; }
    const std::string& LastError() const { return m_error; }
    // Open connections, for tests and the log.
    int ConnectionCount() const { return m_connectionCount.load(); }

private:
    struct SCompletion {
        std::uint64_t connection = 0;
        std::string wire;           // the answer
        std::int64_t delivered = 0; // a waiting message the answer carries
    };

    bool OpenWorkers();
    bool Listen();
    void Loop(std::stop_token stop);

    void AcceptAll();
    void OnReadable(SConnection& c);
    void OnWritable(SConnection& c);
    void Advance(SConnection& c);
    void Dispatch(SConnection& c, std::string line);
    void Send(SConnection& c, std::string wire, bool closeAfter, std::int64_t delivered);
    void ResponseSent(SConnection& c);
    void UpdateEvents(SConnection& c);
    void Close(SConnection& c);
    void ReapClosed();
    // Has a worker drop the connection's session and give back the messages
    // it held but never had acknowledged.
    void EndConnection(SConnection& c);
    void Destroy(std::uint64_t id);
    void PostCompletion(SCompletion completion);
    void ProcessCompletions();
    void CloseIdle();
    std::int64_t NowMs() const;

    SServerSettings m_settings;
    const IClock& m_clock;
    std::string m_error;
    CPasswordHasher m_ownHasher;
    const CPasswordHasher& m_hasher;
    std::unique_ptr<CInstanceLease> m_lease;
    CWorkerPool m_quick;
    CWorkerPool m_hashing;

    int m_listenFd = -1;
    int m_epollFd = -1;
    int m_wakeFd = -1;
    std::uint16_t m_port = 0;
    std::int64_t m_acceptPausedUntil = 0;
    std::uint64_t m_nextId = 0;
    // Touched by the loop thread only (and by Stop once it has ended).
    std::unordered_map<std::uint64_t, std::unique_ptr<SConnection>> m_connections;
    std::atomic<int> m_connectionCount{0};
    std::vector<std::uint64_t> m_closed; // closed, to be freed once idle

    std::mutex m_completionMutex;
    std::vector<SCompletion> m_completions;

    std::jthread m_loop;
    bool m_started = false;
};

} // namespace murmex
