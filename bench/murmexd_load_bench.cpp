// murmexd under the client's own load pattern: every connection is logged in,
// fetches its messages every 5 s (repeating while messages come), and every
// 20 s asks for its friends and then the status of each; now and then it
// sends a message to a friend, so that some fetches carry one. The periods
// are compressed by a factor so that a short run sees many rounds. One
// thread drives all connections without blocking, one request in flight per
// connection as in the client. Reported: exchanges per second and latency
// percentiles (request sent -> whole answer read), loopback only.
//
// The same load runs against one server on SQLite, one on PostgreSQL and two
// on one PostgreSQL database (connections spread over both), in one run; the
// PostgreSQL runs use a throwaway cluster (fsync off, as SQLite's WAL with
// synchronous=NORMAL does not sync each commit either) and are skipped where
// the machine has no PostgreSQL server.
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "sample_stats.h"
#include "server/account_table.h"
#include "server/database.h"
#include "server/friend_table.h"
#include "server/password_hasher.h"
#include "server/postgres_cluster.h"
#include "server/service_server.h"

#include <algorithm>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <random>
#include <string>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace murmex;
using Clock = std::chrono::steady_clock;

constexpr int kFriends = 10;
constexpr double kFetchPeriodS = 5.0;
constexpr double kSyncPeriodS = 20.0;
constexpr double kSendPeriodS = 40.0;

struct SClient {
    int fd = -1;
    int qid = 0;
    std::vector<int> friends;
    std::deque<std::string> queue; // requests waiting to go out, in order
    std::string input;
    bool inFlight = false;
    int inFlightCode = 0;
    Clock::time_point sentAt;
    Clock::time_point nextFetch, nextSync, nextSend;
};

std::string Request(int code, const CParamRecord& record) {
    return std::to_string(code) + " " + record.Serialize() + "\r\n";
}

std::string Line(int code, std::initializer_list<std::pair<const char*, std::string>> entries) {
    CParamRecord record;
    for (const auto& [name, value] : entries)
        record.AddText(name, value);
    return Request(code, record);
}

class CLoadRun {
public:
    // The storage the servers share.
    enum class EStorage { Sqlite, Postgres, PostgresTwoServers };

    CLoadRun(int connections, double compression, EStorage storage)
        : m_connections(connections), m_compression(compression), m_storage(storage) {}
    ~CLoadRun() {
        for (auto& c : m_clients)
            if (c.fd >= 0)
                ::close(c.fd);
        if (m_epoll >= 0)
            ::close(m_epoll);
        for (auto& server : m_servers)
            server->Stop();
        std::error_code ec;
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir, ec);
    }

    bool Setup(std::string& error);
    void Run(std::chrono::milliseconds warmUp, std::chrono::milliseconds measured);

    std::vector<double> latenciesMs;
    std::int64_t exchanges = 0;
    std::int64_t failures = 0;
    double seconds = 0;

private:
    bool Seed(std::string& error);
    void Pump(SClient& c, Clock::time_point now);
    void OnAnswer(SClient& c, const std::string& line, Clock::time_point now, bool measuring);
    Clock::duration Period(double seconds) const {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(seconds / m_compression));
    }

    int m_connections;
    double m_compression;
    EStorage m_storage;
    std::string m_dir;
    std::string m_database;
    std::vector<std::unique_ptr<CServiceServer>> m_servers;
    std::vector<SClient> m_clients;
    int m_epoll = -1;
    std::mt19937 m_random{4678};
};

bool CLoadRun::Seed(std::string& error) {
    CDatabase db;
    if (!db.Open(m_database)) {
        error = db.LastError();
        return false;
    }
    CPasswordHasher::InitLibrary();
    CPasswordHasher hasher(CPasswordHasher::ECost::Fast);
    std::string hash;
    hasher.Hash("haslo", hash);
    CAccountTable accounts(db);
    CFriendTable friends(db);
    m_clients.resize(static_cast<std::size_t>(m_connections));
    for (int i = 0; i < m_connections; ++i) {
        SAccount account;
        account.nick = "bench" + std::to_string(i);
        account.email = account.nick + "@bench.invalid";
        if (accounts.Create(account, hash, 0) != EStore::Ok) {
            error = "cannot create the members";
            return false;
        }
        m_clients[static_cast<std::size_t>(i)].qid = account.qid;
    }
    CTransaction batch(db); // one commit for all the friends
    for (auto& c : m_clients) {
        while (static_cast<int>(c.friends.size()) < std::min(kFriends, m_connections - 1)) {
            const int other = m_clients[m_random() % m_clients.size()].qid;
            if (other != c.qid &&
                std::find(c.friends.begin(), c.friends.end(), other) == c.friends.end()) {
                c.friends.push_back(other);
                friends.Add(c.qid, other);
            }
        }
    }
    return batch.Commit();
}

bool CLoadRun::Setup(std::string& error) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    char pattern[] = "/tmp/murmexd-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        error = "mkdtemp";
        return false;
    }
    m_dir = pattern;
    m_database = m_dir + "/murmexd.db";
    if (m_storage != EStorage::Sqlite) {
        test::CPostgresCluster* cluster = test::CPostgresCluster::Get();
        if (!cluster) {
            error = "no PostgreSQL: " + test::CPostgresCluster::Reason();
            return false;
        }
        m_database = cluster->NewDatabase();
    }
    if (!Seed(error))
        return false;

    const int servers = m_storage == EStorage::PostgresTwoServers ? 2 : 1;
    for (int i = 0; i < servers; ++i) {
        SServerSettings settings;
        settings.port = 0;
        settings.database = m_database;
        settings.hashCost = CPasswordHasher::ECost::Fast;
        m_servers.push_back(std::make_unique<CServiceServer>(settings));
        if (!m_servers.back()->Start()) {
            error = m_servers.back()->LastError();
            return false;
        }
    }

    m_epoll = ::epoll_create1(0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto now = Clock::now();
    std::uniform_real_distribution<double> phase(0.0, 1.0);
    for (std::size_t i = 0; i < m_clients.size(); ++i) {
        SClient& c = m_clients[i];
        address.sin_port = htons(m_servers[i % m_servers.size()]->Port());
        c.fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (c.fd < 0 ||
            ::connect(c.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            error = "connect: " + std::string(std::strerror(errno));
            return false;
        }
        int on = 1;
        ::setsockopt(c.fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = i;
        ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, c.fd, &event);
        c.queue.push_back("1010\r\n");
        c.queue.push_back(
            Line(CMD_LOGIN, {{"userid", std::to_string(c.qid)}, {"password", "haslo"}}));
        // Clients start at random points of their periods, as real ones would.
        c.nextFetch = now + Period(kFetchPeriodS * phase(m_random));
        c.nextSync = now + Period(kSyncPeriodS * phase(m_random));
        c.nextSend = now + Period(kSendPeriodS * phase(m_random));
    }
    return true;
}

void CLoadRun::Pump(SClient& c, Clock::time_point now) {
    if (c.inFlight)
        return;
    if (c.queue.empty()) {
        if (now >= c.nextSync) {
            c.nextSync += Period(kSyncPeriodS);
            c.queue.push_back(Request(CMD_GET_FRIENDS, CParamRecord()));
        } else if (now >= c.nextFetch) {
            c.nextFetch += Period(kFetchPeriodS);
            c.queue.push_back(Request(CMD_FETCH_MESSAGE, CParamRecord()));
        } else if (now >= c.nextSend) {
            c.nextSend += Period(kSendPeriodS);
            const int to = c.friends[m_random() % c.friends.size()];
            c.queue.push_back(Line(CMD_SEND_MESSAGE, {{"message", "Cze\xB6\xE6, co s\xB3ycha\xE6?"},
                                                      {"userid", std::to_string(to)}}));
        } else {
            return;
        }
    }
    const std::string& request = c.queue.front();
    c.inFlightCode = std::atoi(request.c_str());
    c.sentAt = Clock::now();
    if (::send(c.fd, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size()))
        ++failures;
    c.queue.pop_front();
    c.inFlight = true;
}

void CLoadRun::OnAnswer(SClient& c, const std::string& line, Clock::time_point now,
                        bool measuring) {
    c.inFlight = false;
    const int code = std::atoi(line.c_str());
    if (measuring) {
        ++exchanges;
        latenciesMs.push_back(std::chrono::duration<double, std::milli>(now - c.sentAt).count());
    }
    const bool success = code / 1000 == 2;
    if (c.inFlightCode == CMD_FETCH_MESSAGE) {
        if (success) // the client fetches again until nothing waits
            c.queue.push_front(Request(CMD_FETCH_MESSAGE, CParamRecord()));
        return;
    }
    if (!success) {
        if (measuring)
            ++failures;
        return;
    }
    if (c.inFlightCode == CMD_GET_FRIENDS) {
        CParamRecord record;
        record.Parse(line, 4);
        std::vector<int> friends;
        record.GetIntList("friends", friends);
        for (int qid : friends)
            c.queue.push_back(Line(CMD_GET_STATUS, {{"userid", std::to_string(qid)}}));
    }
}

void CLoadRun::Run(std::chrono::milliseconds warmUp, std::chrono::milliseconds measured) {
    const auto start = Clock::now();
    const auto measureFrom = start + warmUp;
    const auto end = measureFrom + measured;
    epoll_event events[256];
    char buffer[4096];
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        for (auto& c : m_clients)
            Pump(c, now);
        const int count = ::epoll_wait(m_epoll, events, 256, 1);
        now = Clock::now();
        const bool measuring = now >= measureFrom;
        for (int i = 0; i < count; ++i) {
            SClient& c = m_clients[events[i].data.u64];
            const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0) {
                ++failures;
                continue;
            }
            c.input.append(buffer, static_cast<std::size_t>(n));
            for (auto lineEnd = c.input.find("\r\n"); lineEnd != std::string::npos;
                 lineEnd = c.input.find("\r\n")) {
                OnAnswer(c, c.input.substr(0, lineEnd + 2), now, measuring);
                c.input.erase(0, lineEnd + 2);
            }
        }
    }
    seconds = std::chrono::duration<double>(measured).count();
}

void BM_MurmexdClientLoad(benchmark::State& state) {
    const int connections = static_cast<int>(state.range(0));
    const double compression = static_cast<double>(state.range(1));
    const auto storage = static_cast<CLoadRun::EStorage>(state.range(2));
    static const char* const kStorage[] = {"sqlite", "postgresql", "postgresql, 2 servers"};
    state.SetLabel(kStorage[state.range(2)]);
    for (auto _ : state) {
        CLoadRun run(connections, compression, storage);
        std::string error;
        if (!run.Setup(error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        run.Run(std::chrono::seconds(2), std::chrono::seconds(10));
        state.counters["connections"] = connections;
        state.counters["exchanges_per_s"] = static_cast<double>(run.exchanges) / run.seconds;
        state.counters["offered_per_s"] =
            connections * compression *
            (1 / kFetchPeriodS + (1.0 + kFriends) / kSyncPeriodS + 1 / kSendPeriodS);
        state.counters["p50_ms"] = bench::Percentile(run.latenciesMs, 0.50);
        state.counters["p99_ms"] = bench::Percentile(run.latenciesMs, 0.99);
        state.counters["max_ms"] = bench::Percentile(run.latenciesMs, 1.0);
        state.counters["failures"] = static_cast<double>(run.failures);
    }
}

// {connections, time compression, storage}: 20x makes the 5 s fetch a 250 ms
// one; storage 0 SQLite, 1 PostgreSQL, 2 two servers on one PostgreSQL.
BENCHMARK(BM_MurmexdClientLoad)
    ->Args({500, 20, 0})
    ->Args({500, 60, 0})
    ->Args({500, 60, 1})
    ->Args({500, 60, 2})
    ->Args({500, 200, 0}) // more than the server can take: where it saturates
    ->Args({500, 200, 1})
    ->Args({500, 200, 2})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
