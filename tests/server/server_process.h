#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace murmex::test {

// The murmexd executable as a process of its own, on a free port, for the
// tests of several instances on one database (one can be killed outright).
class CServerProcess {
public:
    CServerProcess(const std::string& database, std::vector<std::string> extra = {});
    ~CServerProcess();
    CServerProcess(const CServerProcess&) = delete;
    CServerProcess& operator=(const CServerProcess&) = delete;

    bool Running() const { return m_pid > 0 && m_port != 0; }
    std::uint16_t Port() const { return m_port; }
    // SIGKILL: no clean-up of any kind.
    void Kill();
    // SIGTERM and wait.
    void Stop();

private:
    pid_t m_pid = -1;
    std::uint16_t m_port = 0;
};

} // namespace murmex::test
