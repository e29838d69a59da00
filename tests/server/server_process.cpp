#include "server/server_process.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace murmex::test {

CServerProcess::CServerProcess(const std::string& database, std::vector<std::string> extra) {
    int out[2];
    if (::pipe(out) != 0)
        return;
    std::vector<std::string> argv = {MURMEXD_PATH, "--port",      "0",         "--database",
                                     database,     "--fast-hash", "--workers", "2"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> args;
        for (std::string& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    // "murmexd listening on 127.0.0.1:PORT"
    std::string printed;
    char buffer[256];
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 30000) <= 0)
            break;
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        printed.append(buffer, static_cast<std::size_t>(n));
        if (printed.find('\n') != std::string::npos)
            break;
    }
    ::close(out[0]);
    const auto colon = printed.rfind(':');
    if (printed.rfind("murmexd listening on", 0) == 0 && colon != std::string::npos)
        m_port = static_cast<std::uint16_t>(std::atoi(printed.c_str() + colon + 1));
}

CServerProcess::~CServerProcess() {
    Stop();
}

void CServerProcess::Kill() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

void CServerProcess::Stop() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

} // namespace murmex::test
