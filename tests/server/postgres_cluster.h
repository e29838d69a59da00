#pragma once

#include <string>
#include <vector>

namespace murmex::test {

// A throwaway PostgreSQL cluster for this test process: initdb in a
// temporary folder, a free port, its unix socket in the same folder, stopped
// and removed at exit. As root the server runs as the "postgres" system user
// (or "nobody"), since PostgreSQL refuses to run as root.
class CPostgresCluster {
public:
    // The process's cluster, started on first use; null when this machine
    // has no PostgreSQL server binaries (Reason() says why).
    static CPostgresCluster* Get();
    static const std::string& Reason();

    // A new, empty database; its connection URI.
    std::string NewDatabase();
    // Stops the server (fast shutdown) and starts it again on the same port,
    // for tests of a database that goes away.
    bool StopServer();
    bool StartServer();

    ~CPostgresCluster();

private:
    CPostgresCluster() = default;
    bool Init(std::string& reason);
    int Run(const std::vector<std::string>& argv);

    std::string m_bin;
    std::string m_dir;
    int m_port = 0;
    int m_counter = 0;
    unsigned m_uid = 0;
    unsigned m_gid = 0;
    bool m_dropPrivileges = false;
    bool m_running = false;
};

// Whether this run of the server tests is on PostgreSQL
// (MURMEX_TEST_DATABASE=postgresql) rather than SQLite.
bool TestingOnPostgres();

} // namespace murmex::test
