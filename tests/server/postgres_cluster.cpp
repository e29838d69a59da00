#include "server/postgres_cluster.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <glob.h>
#include <libpq-fe.h>
#include <memory>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace murmex::test {
namespace {

std::string& ReasonText() {
    static std::string reason;
    return reason;
}

// The newest installed server's bin folder, or empty.
std::string FindBinaries() {
    glob_t found{};
    std::string best;
    if (::glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0) {
        std::vector<std::string> paths(found.gl_pathv, found.gl_pathv + found.gl_pathc);
        std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
            return std::atoi(a.c_str() + 20) < std::atoi(b.c_str() + 20);
        });
        best = paths.back().substr(0, paths.back().size() - 7);
    }
    ::globfree(&found);
    return best;
}

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

} // namespace

bool TestingOnPostgres() {
    const char* value = std::getenv("MURMEX_TEST_DATABASE");
    return value && std::string(value) == "postgresql";
}

const std::string& CPostgresCluster::Reason() {
    return ReasonText();
}

CPostgresCluster* CPostgresCluster::Get() {
    static std::unique_ptr<CPostgresCluster> cluster = [] {
        std::unique_ptr<CPostgresCluster> made(new CPostgresCluster());
        if (!made->Init(ReasonText()))
            made.reset();
        return made;
    }();
    return cluster.get();
}

int CPostgresCluster::Run(const std::vector<std::string>& argv) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (m_dropPrivileges && (::setgid(m_gid) != 0 || ::setuid(m_uid) != 0))
            ::_exit(126);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool CPostgresCluster::Init(std::string& reason) {
    m_bin = FindBinaries();
    if (m_bin.empty()) {
        reason = "no PostgreSQL server binaries under /usr/lib/postgresql";
        return false;
    }
    char pattern[] = "/tmp/murmex-pg-XXXXXX";
    if (!::mkdtemp(pattern)) {
        reason = "no temporary folder";
        return false;
    }
    m_dir = pattern;
    if (::geteuid() == 0) {
        const passwd* user = ::getpwnam("postgres");
        if (!user)
            user = ::getpwnam("nobody");
        if (!user) {
            reason = "running as root and no user to run PostgreSQL as";
            return false;
        }
        m_uid = user->pw_uid;
        m_gid = user->pw_gid;
        m_dropPrivileges = true;
        if (::chown(m_dir.c_str(), m_uid, m_gid) != 0) {
            reason = "cannot hand the temporary folder over";
            return false;
        }
    }
    if (Run({m_bin + "/initdb", "-D", m_dir + "/data", "-U", "murmex", "--auth=trust", "-E", "UTF8",
             "--no-locale", "-N"}) != 0) {
        reason = "initdb failed";
        return false;
    }
    m_port = FreePort();
    if (!StartServer()) {
        reason = "the PostgreSQL server did not start (see " + m_dir + "/log)";
        return false;
    }
    return true;
}

bool CPostgresCluster::StartServer() {
    const std::string options = "-p " + std::to_string(m_port) + " -k " + m_dir +
                                " -c listen_addresses= -c fsync=off -c synchronous_commit=off"
                                " -c full_page_writes=off -c max_connections=300";
    m_running = Run({m_bin + "/pg_ctl", "-D", m_dir + "/data", "-l", m_dir + "/log", "-w", "-o",
                     options, "start"}) == 0;
    return m_running;
}

bool CPostgresCluster::StopServer() {
    m_running = !(Run({m_bin + "/pg_ctl", "-D", m_dir + "/data", "-m", "fast", "-w", "stop"}) == 0);
    return !m_running;
}

CPostgresCluster::~CPostgresCluster() {
    if (m_running)
        Run({m_bin + "/pg_ctl", "-D", m_dir + "/data", "-m", "immediate", "-w", "stop"});
    if (!m_dir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
}

std::string CPostgresCluster::NewDatabase() {
    const std::string base =
        "postgresql:///postgres?host=" + m_dir + "&port=" + std::to_string(m_port) + "&user=murmex";
    const std::string name = "t" + std::to_string(++m_counter);
    PGconn* conn = PQconnectdb(base.c_str());
    if (PQstatus(conn) == CONNECTION_OK)
        PQclear(PQexec(conn, ("CREATE DATABASE " + name).c_str()));
    PQfinish(conn);
    return "postgresql:///" + name + "?host=" + m_dir + "&port=" + std::to_string(m_port) +
           "&user=murmex";
}

} // namespace murmex::test
