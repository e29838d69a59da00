#include "support/service_world.h"

#include "model/user_record.h"
#include "platform/code_page.h"
#include "storage/options.h"

#include <gtest/gtest.h>

namespace murmex::test {

std::unique_ptr<CServiceServer> StartServiceServer(const CTempDataDir& dir) {
    SServerSettings settings;
    settings.port = 0;
    settings.database = dir.File("murmexd.db");
    settings.hashCost = CPasswordHasher::ECost::Fast;
    settings.tick = std::chrono::milliseconds(20);
    settings.workers = 2;
    auto server = std::make_unique<CServiceServer>(settings);
    EXPECT_TRUE(server->Start()) << server->LastError();
    return server;
}

CServiceWorld::CServiceWorld() {
    ClearOptions();
    server = StartServiceServer(dir);
}

CServiceWorld::~CServiceWorld() {
    server->Stop();
    ClearOptions();
}

std::unique_ptr<CRequestEngine> CServiceWorld::Client(bool connect) const {
    SEngineSettings s;
    s.port = server->Port();
    s.connectWait = s.writeWait = s.lockWait = std::chrono::seconds(10);
    // murmexd answers a registration only after hashing the password.
    s.readWait = std::chrono::seconds(30);
    auto engine = std::make_unique<CRequestEngine>(s);
    engine->SetAddressSource([] { return std::string("127.0.0.1"); });
    if (connect) {
        EXPECT_TRUE(engine->Connect());
    }
    return engine;
}

int CServiceWorld::Register(CRequestEngine& engine, const std::string& nick,
                            const std::string& password, const std::string& name,
                            const std::string& surname) {
    CUserRecord u;
    u.SetNick(nick);
    u.SetDetailEmail(nick + "@example.pl");
    u.SetDetailName(Utf8ToWin1250(name));
    u.SetDetailSurname(Utf8ToWin1250(surname));
    u.SetSex(-1);
    u.SetPassword(password);
    return u.Register(engine) ? u.Qid() : 0;
}

int CServiceWorld::RegisterAndLogIn(CRequestEngine& engine, const std::string& nick,
                                    const std::string& password) {
    const int qid = Register(engine, nick, password);
    if (!qid)
        return 0;
    CUserRecord me(qid);
    me.SetPassword(password);
    return me.LoginAs(engine) ? qid : 0;
}

} // namespace murmex::test
