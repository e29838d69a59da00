#pragma once

#include "platform/clock.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "server/service_server.h"
#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace murmex::test {

// Time that moves only when a test moves it.
class CFakeClock final : public IClock {
public:
    std::int64_t WallSeconds() const override { return m_wall.load(); }
    std::int64_t MonotonicMs() const override { return m_monotonic.load(); }
    void SetWall(std::int64_t seconds) { m_wall = seconds; }
    void AdvanceMs(std::int64_t ms) { m_monotonic += ms; }

private:
    std::atomic<std::int64_t> m_wall{1600000000}; // 2020-09-13 12:26:40 UTC
    std::atomic<std::int64_t> m_monotonic{0};
};

// Waits, a bounded time, until the condition holds.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(10));

// murmexd on a free loopback port with a fresh database and the test's clock:
// a SQLite file, or with MURMEX_TEST_DATABASE=postgresql a new database in
// the process's throwaway PostgreSQL cluster (the test is skipped where
// there is none).
class CTestServer {
public:
    explicit CTestServer(std::function<void(SServerSettings&)> adjust = {});
    ~CTestServer();

    CServiceServer& Server() { return *m_server; }
    std::uint16_t Port() const { return m_server->Port(); }
    CFakeClock& Clock() { return m_clock; }
    // The file path or connection URI, as --database takes it.
    const std::string& DatabasePath() const { return m_database; }
    bool OnPostgres() const { return m_postgres; }

    // A client engine, connected and greeted; null when that failed.
    std::unique_ptr<CRequestEngine> Connect();

private:
    CTempDataDir m_dir;
    CFakeClock m_clock;
    std::string m_database;
    bool m_postgres = false;
    std::unique_ptr<CServiceServer> m_server;
};

// A database for a test: the current run's kind (see CTestServer). Skips the
// test when PostgreSQL is wanted and missing, and then gives a SQLite file.
std::string TestDatabase(const CTempDataDir& dir);

// The answer to one raw exchange.
struct SWireReply {
    int code = -1; // -1: no answer (closed or timed out)
    CParamRecord record;
};

// A plain socket to the server, for what the client engine does not show:
// the failure codes, malformed lines, pipelining, a client that stalls.
class CWireClient {
public:
    explicit CWireClient(std::uint16_t port);
    ~CWireClient();
    CWireClient(const CWireClient&) = delete;
    CWireClient& operator=(const CWireClient&) = delete;

    bool Connected() const { return m_fd >= 0; }
    bool SendRaw(const std::string& bytes);
    // Sends what the socket takes now without blocking; the count sent.
    std::size_t SendWithoutWaiting(const std::string& bytes);
    // The next line (without CR LF), or false when none came within the limit.
    bool ReadLine(std::string& line, std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Builds the request as the client does (code, blank, record, CR LF, wire code page).
    SWireReply Exchange(int code, const CParamRecord& record);
    SWireReply Exchange(int code); // no record part at all
    // True once the server has closed the connection (within the limit).
    bool WaitClosed(std::chrono::milliseconds limit = std::chrono::seconds(10));
    void Close();
    // Closes with a reset (RST) instead of an orderly end, as a killed client's
    // kernel may.
    void Reset();

private:
    SWireReply ReadReply();

    int m_fd = -1;
    std::string m_pending;
};

// Reads a response line the way the client does.
SWireReply ParseReply(const std::string& wireLine);

// A record built from name/value pairs, for short test requests.
CParamRecord Record(std::initializer_list<std::pair<const char*, std::string>> entries);
// The entry names of a record, in order.
std::vector<std::string> Names(const CParamRecord& record);

// Registers through the wire and returns the QID (0 on failure).
int RegisterMember(CWireClient& client, const std::string& nick, const std::string& email,
                   const std::string& password, const CParamRecord& extra = {});
bool LoginMember(CWireClient& client, int qid, const std::string& password);

// Runs "murmexd admin --database <the server's> ARGS"; the status, and the
// first line printed in `out`.
int Admin(const CTestServer& server, std::vector<std::string> args, std::string* out = nullptr,
          std::string* err = nullptr);

// UTF-8 source text in the client's code page, as records hold it.
std::string W(std::string_view utf8);

} // namespace murmex::test
