// A murmexd inside the benchmark's own process, in a scratch folder that is
// also the client's data directory, and client connections to it. Shared by
// the benchmarks that time the client against a real server.
#pragma once

#include "platform/paths.h"
#include "protocol/request_engine.h"
#include "server/service_server.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace murmex::bench {

class CBenchServer {
public:
    CBenchServer() {
        char pattern[] = "/tmp/murmex-bench-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (!made)
            std::abort(); // nowhere to keep the server's database
        m_dir = std::string(made) + "/";
        CPaths::SetDataDirectory(m_dir);
        SServerSettings settings;
        settings.port = 0;
        settings.database = m_dir + "murmexd.db";
        // Logins are part of the set-up, not of what is timed.
        settings.hashCost = CPasswordHasher::ECost::Fast;
        m_server = std::make_unique<CServiceServer>(settings);
        m_server->Start();
    }
    ~CBenchServer() {
        m_server->Stop();
        std::filesystem::remove_all(m_dir);
    }
    CBenchServer(const CBenchServer&) = delete;
    CBenchServer& operator=(const CBenchServer&) = delete;

    // Ends with '/'.
    const std::string& Dir() const { return m_dir; }
    std::string Database() const { return m_dir + "murmexd.db"; }
    std::uint16_t Port() const { return m_server->Port(); }

    // A client engine that talks to this server (not connected yet).
    std::unique_ptr<CRequestEngine> NewEngine() const {
        SEngineSettings s;
        s.port = Port();
        auto engine = std::make_unique<CRequestEngine>(s);
        engine->SetAddressSource([] { return std::string("127.0.0.1"); });
        return engine;
    }

private:
    std::string m_dir;
    std::unique_ptr<CServiceServer> m_server;
};

} // namespace murmex::bench
