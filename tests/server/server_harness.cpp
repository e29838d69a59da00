#include "server/server_harness.h"

#include "platform/code_page.h"
#include "server/admin_tool.h"
#include "server/postgres_cluster.h"

#include <arpa/inet.h>
#include <cerrno>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace murmex::test {

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

namespace {

void SkipWithoutPostgres() {
    GTEST_SKIP() << "PostgreSQL run skipped: " << CPostgresCluster::Reason();
}

} // namespace

std::string TestDatabase(const CTempDataDir& dir) {
    if (TestingOnPostgres()) {
        if (CPostgresCluster* cluster = CPostgresCluster::Get())
            return cluster->NewDatabase();
        SkipWithoutPostgres();
    }
    return dir.File("murmexd.db");
}

CTestServer::CTestServer(std::function<void(SServerSettings&)> adjust) {
    m_database = TestDatabase(m_dir);
    m_postgres = CDatabase::IsPostgresTarget(m_database);
    SServerSettings settings;
    settings.port = 0;
    settings.database = m_database;
    settings.hashCost = CPasswordHasher::ECost::Fast;
    settings.clock = &m_clock;
    settings.tick = std::chrono::milliseconds(20);
    settings.workers = 2;
    settings.instanceLease = std::chrono::seconds(2);
    if (adjust)
        adjust(settings);
    m_server = std::make_unique<CServiceServer>(settings);
    if (!m_server->Start())
        throw std::runtime_error("murmexd did not start: " + m_server->LastError());
}

CTestServer::~CTestServer() {
    m_server->Stop();
}

std::unique_ptr<CRequestEngine> CTestServer::Connect() {
    SEngineSettings settings;
    settings.port = Port();
    settings.connectWait = std::chrono::seconds(10);
    settings.writeWait = std::chrono::seconds(10);
    settings.readWait = std::chrono::seconds(30);
    settings.lockWait = std::chrono::seconds(30);
    auto engine = std::make_unique<CRequestEngine>(settings);
    engine->SetAddressSource([] { return std::string("127.0.0.1"); });
    if (!engine->Connect())
        return nullptr;
    return engine;
}

CWireClient::CWireClient(std::uint16_t port) {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_fd < 0 || ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        Close();
        return;
    }
    int on = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

CWireClient::~CWireClient() {
    Close();
}

void CWireClient::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void CWireClient::Reset() {
    if (m_fd >= 0) {
        linger abort{1, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    Close();
}

bool CWireClient::SendRaw(const std::string& bytes) {
    std::size_t sent = 0;
    while (m_fd >= 0 && sent < bytes.size()) {
        const ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return m_fd >= 0;
}

std::size_t CWireClient::SendWithoutWaiting(const std::string& bytes) {
    std::size_t sent = 0;
    while (m_fd >= 0 && sent < bytes.size()) {
        const ssize_t n =
            ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    return sent;
}

bool CWireClient::ReadLine(std::string& line, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto end = m_pending.find("\r\n");
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 2);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (m_fd < 0 || left.count() <= 0)
            return false;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[4096];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        m_pending.append(buffer, static_cast<std::size_t>(n));
    }
}

bool CWireClient::WaitClosed(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (m_fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[4096];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
            return true;
        if (n > 0)
            m_pending.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

SWireReply ParseReply(const std::string& wireLine) {
    SWireReply reply;
    if (wireLine.size() < 4)
        return reply;
    reply.code = 0;
    for (int i = 0; i < 4; ++i) {
        if (wireLine[i] < '0' || wireLine[i] > '9')
            return reply;
        reply.code = reply.code * 10 + (wireLine[i] - '0');
    }
    std::string local = wireLine + "\r\n";
    WireToWin1250(local);
    reply.record.Parse(local, 4);
    return reply;
}

SWireReply CWireClient::ReadReply() {
    std::string line;
    if (!ReadLine(line))
        return {};
    return ParseReply(line);
}

SWireReply CWireClient::Exchange(int code, const CParamRecord& record) {
    std::string line = std::to_string(code) + " " + record.Serialize() + "\r\n";
    Win1250ToWire(line);
    if (!SendRaw(line))
        return {};
    return ReadReply();
}

SWireReply CWireClient::Exchange(int code) {
    if (!SendRaw(std::to_string(code) + "\r\n"))
        return {};
    return ReadReply();
}

CParamRecord Record(std::initializer_list<std::pair<const char*, std::string>> entries) {
    CParamRecord record;
    for (const auto& [name, value] : entries)
        record.AddText(name, value);
    return record;
}

std::vector<std::string> Names(const CParamRecord& record) {
    std::vector<std::string> names;
    for (const auto& entry : record.Entries())
        names.push_back(entry.first);
    return names;
}

int RegisterMember(CWireClient& client, const std::string& nick, const std::string& email,
                   const std::string& password, const CParamRecord& extra) {
    CParamRecord record = Record({{"nick", nick}, {"email", email}, {"password", password}});
    for (const auto& [name, value] : extra.Entries())
        record.AddText(name, value);
    SWireReply reply = client.Exchange(1020, record);
    if (reply.code != 2000 || !reply.record.Has("userid"))
        return 0;
    return reply.record.GetInt("userid");
}

bool LoginMember(CWireClient& client, int qid, const std::string& password) {
    return client.Exchange(1030, Record({{"userid", std::to_string(qid)}, {"password", password}}))
               .code == 2000;
}

int Admin(const CTestServer& server, std::vector<std::string> args, std::string* out,
          std::string* err) {
    args.insert(args.begin(), {"--database", server.DatabasePath()});
    std::ostringstream printed;
    std::ostringstream errors;
    const int status = RunAdmin(args, printed, errors);
    if (out) {
        *out = printed.str();
        out->erase(std::min(out->size(), out->find('\n')));
    }
    if (err)
        *err = errors.str();
    return status;
}

std::string W(std::string_view utf8) {
    return Utf8ToWin1250(utf8);
}

} // namespace murmex::test
