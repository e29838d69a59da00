#pragma once

#include "app/startup_fixture.h"
#include "model/user_record.h"
#include "protocol/request_engine.h"
#include "server/admin_tool.h"
#include "server/service_server.h"

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace murmex::test {

// The program's folder beside murmexd run in-process on a free port, with two
// members who are each other's friends: alicja (haslo1) and bob (haslo2).
class ServiceFixture : public StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        SServerSettings settings;
        settings.port = 0;
        settings.database = dir.File("murmexd.db");
        settings.hashCost = CPasswordHasher::ECost::Fast;
        settings.tick = std::chrono::milliseconds(20);
        settings.workers = 2;
        server = std::make_unique<CServiceServer>(settings);
        ASSERT_TRUE(server->Start()) << server->LastError();
        port = server->Port();

        alice = Admin({"create-user", "--fast-hash", "--nick", "alicja", "--email",
                       "alicja@example.pl", "--password", "haslo1", "--name", "Alicja"});
        bob = Admin({"create-user", "--fast-hash", "--nick", "bob", "--email", "bob@example.pl",
                     "--password", "haslo2", "--name", "Robert"});
        ASSERT_GT(alice, 0);
        ASSERT_GT(bob, 0);
        Admin({"add-friend", "--user", std::to_string(alice), "--friend", std::to_string(bob)});
        Admin({"add-friend", "--user", std::to_string(bob), "--friend", std::to_string(alice)});
    }
    void TearDown() override {
        if (app)
            app->Stop();
        StartupFixture::TearDown();
        bobEngine.reset();
        server->Stop();
    }

    int Admin(std::vector<std::string> args) {
        args.push_back("--database");
        args.push_back(dir.File("murmexd.db"));
        std::ostringstream out, err;
        EXPECT_EQ(RunAdmin(args, out, err), 0) << err.str();
        return std::atoi(out.str().c_str());
    }

    // Bob runs the program somewhere else: the service counts him as present.
    void BobSignsIn() {
        SEngineSettings s;
        s.port = port;
        bobEngine = std::make_unique<CRequestEngine>(s);
        bobEngine->SetAddressSource([] { return std::string("127.0.0.1"); });
        ASSERT_TRUE(bobEngine->Connect());
        CUserRecord me(bob);
        me.SetPassword("haslo2");
        ASSERT_TRUE(me.LoginAs(*bobEngine));
    }

    std::vector<std::string> Options() const {
        return {"[Options]", "Server=\"127.0.0.1\"", "InternetConnection=\"LAN\"",
                "autorun_dontask=\"1\"", ""};
    }

    // murmex.cfg of a computer where Alicja signs in by herself on a LAN.
    std::vector<std::string> AliceSignsInByHerself() const {
        const std::string a = std::to_string(alice);
        std::vector<std::string> config = Options();
        for (const std::string& line :
             {std::string("[LocalUsers]"),
              "QID=\"" + a +
                  "\" Nick=\"alicja\" Email=\"alicja@example.pl\" Name=\"Alicja\" Surname=\"\" "
                  "HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"1\" "
                  "Password=\"haslo1\" ",
              std::string(), "[QID" + a + "-Groups]",
              "GID=\"1\" Name=\"Znajomi\" FriendsCount=\"1\" F1=\"" + std::to_string(bob) + "\" ",
              std::string(), "[QID" + a + "-Friends]", "friends=\"" + std::to_string(bob) + "\" "})
            config.push_back(line);
        return config;
    }

    std::unique_ptr<CServiceServer> server;
    std::unique_ptr<CRequestEngine> bobEngine;
    int alice = 0;
    int bob = 0;
};

} // namespace murmex::test
