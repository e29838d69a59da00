// murmexd: the Murmex service server, and its admin commands.
#include "platform/build_version.h"
#include "server/admin_tool.h"
#include "server/server_options.h"
#include "server/service_server.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

// Every connection is a descriptor; the usual soft limit of 1024 would cap
// the server well below what it is built for.
void RaiseDescriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace murmex;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "admin")
        return RunAdmin({args.begin() + 1, args.end()}, std::cout, std::cerr);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << MurmexdUsage();
            return 0;
        }
        if (arg == "--version") {
            std::cout << "murmexd " << MurmexVersion() << "\n";
            return 0;
        }
    }
    SServerSettings settings;
    std::string error;
    if (!ParseServerArgs(args, settings, error)) {
        std::cerr << "murmexd: " << error << "\n\n" << MurmexdUsage();
        return 2;
    }

    // The signals are taken by sigwait below; blocked before any thread
    // starts, so that no worker is interrupted by them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    RaiseDescriptorLimit();

    CServiceServer server(settings);
    if (!server.Start()) {
        std::cerr << "murmexd: " << server.LastError() << "\n";
        return 1;
    }
    std::printf("murmexd listening on %s:%u\n", server.Address().c_str(),
                static_cast<unsigned>(server.Port()));
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.Stop();
    return 0;
}
