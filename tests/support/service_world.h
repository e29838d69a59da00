#pragma once

#include "protocol/request_engine.h"
#include "server/service_server.h"
#include "support/temp_dir.h"

#include <memory>
#include <string>

// murmexd in this process, on a free port over a temporary data folder, and
// clients to it as the program makes them: the ground of the tests that check
// a window's work on the service's side. The options start and end empty.
namespace murmex::test {

// A server on a database in `dir`, with cheap password hashing and a short
// tick; started, or failed with a test failure naming the reason.
std::unique_ptr<CServiceServer> StartServiceServer(const CTempDataDir& dir);

class CServiceWorld {
public:
    CServiceWorld();
    ~CServiceWorld();
    CServiceWorld(const CServiceWorld&) = delete;
    CServiceWorld& operator=(const CServiceWorld&) = delete;

    // An engine to the server with generous waits; connected when asked.
    std::unique_ptr<CRequestEngine> Client(bool connect = true) const;
    // A new member with this nick (e-mail nick@example.pl; name and surname
    // in UTF-8); its QID, or 0 when the service refused it.
    static int Register(CRequestEngine& engine, const std::string& nick,
                        const std::string& password, const std::string& name = "Jan",
                        const std::string& surname = "Testowy");
    // The same, and logged in on that engine.
    static int RegisterAndLogIn(CRequestEngine& engine, const std::string& nick,
                                const std::string& password);
    // The server's database file, to check what it stored.
    std::string DatabasePath() const { return dir.File("murmexd.db"); }

    CTempDataDir dir;
    std::unique_ptr<CServiceServer> server;
};

} // namespace murmex::test
