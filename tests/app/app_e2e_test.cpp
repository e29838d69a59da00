// The whole program against murmexd, run in-process on a free port: a known
// user signs in by itself and sees a friend's presence; a first run with an
// existing account sets the user up with the service's friends.
#include "app/startup_fixture.h"
#include "friends/friend_tree.h"
#include "friends/tree_icons.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/user_record.h"
#include "platform/code_page.h"
#include "protocol/request_engine.h"
#include "server/admin_tool.h"
#include "server/service_server.h"
#include "session/app_context.h"
#include "shell/main_bar.h"

#include <QLabel>
#include <sstream>

namespace murmex {
namespace {

class AppEndToEnd : public test::StartupFixture {
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

    int FriendIcon(int qid) const {
        const auto items = app->MainBar()->FriendTree()->FriendItems(qid);
        return items.empty() ? -1 : CFriendTree::ItemIcon(items.front());
    }

    std::unique_ptr<CServiceServer> server;
    std::unique_ptr<CRequestEngine> bobEngine;
    int alice = 0;
    int bob = 0;
};

TEST_F(AppEndToEnd, AKnownUserSignsInByItselfAndSeesHisFriendAndMessages) {
    BobSignsIn();
    Admin({"send-message", "--from", std::to_string(bob), "--to", std::to_string(alice), "--text",
           "Cześć, jestem już w programie!"});
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
    WriteConfig(config);

    ASSERT_TRUE(Start());
    EXPECT_EQ(app->Data()->CurrentLocalUser(), alice);
    // Nobody started the login: the heartbeat did, on seeing the LAN.
    ASSERT_TRUE(test::WaitFor([&] { return app->Engine().IsLoggedIn(); }));
    EXPECT_EQ(app->Engine().CurrentQid(), alice);
    ASSERT_TRUE(test::WaitFor([&] { return FriendIcon(bob) == kIconProgram; }))
        << "icon " << FriendIcon(bob);
    ASSERT_TRUE(test::WaitFor([&] {
        return app->MainBar()->StatusLine()->text() == QStringLiteral("Online i zalogowany");
    }));
    ASSERT_TRUE(test::WaitFor([&] { return app->Data()->MessageCount() == 1; }));
    EXPECT_EQ(app->Data()->MessageAt(0)->Sender(), bob);
    EXPECT_EQ(app->Data()->MessageAt(0)->Text(), Utf8ToWin1250("Cześć, jestem już w programie!"));
    EXPECT_TRUE(messages.empty());

    // A LAN quits without a question; every worker is joined on the way out.
    app->RequestQuit();
    EXPECT_TRUE(app->QuitRequested());
    app->Stop();
}

// The registration wizard as a user fills it: it connects, and either
// identifies an existing member or leaves a new account to be registered.
class CWizardStandInApp final : public CMurmexApp {
public:
    CWizardStandInApp(SAppSettings settings, bool existingMember)
        : CMurmexApp(std::move(settings)), m_existing(existingMember) {}
    int asked = 0;

protected:
    bool RunRegistrationWizard(CUserRecord& user) override {
        ++asked;
        if (!Engine().Connect())
            return false;
        if (m_existing) {
            if (!user.Identify(Engine(), "alicja", "alicja@example.pl", "haslo1"))
                return false;
            user.SetPassword("haslo1");
            user.SetSavePassword(true);
            return true;
        }
        user.SetNick("celina");
        user.SetDetailEmail("celina@example.pl");
        user.SetDetailName("Celina");
        user.SetDetailSurname("Nowa");
        user.SetSex(-1);
        user.SetPassword("haslo3");
        user.SetSavePassword(false);
        return true;
    }

private:
    bool m_existing;
};

class FirstRunEndToEnd : public AppEndToEnd {
protected:
    std::unique_ptr<CMurmexApp> MakeApp(SAppSettings settings) override {
        return std::make_unique<CWizardStandInApp>(std::move(settings), existingMember);
    }
    bool existingMember = true;
};

TEST_F(FirstRunEndToEnd, AnExistingAccountIsSetUpWithTheServicesFriends) {
    Admin({"create-channel", "--name", "dla wszystkich"});
    WriteConfig(Options());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app->FirstRunDone());
    EXPECT_EQ(static_cast<CWizardStandInApp&>(*app).asked, 1);
    EXPECT_EQ(app->Data()->CurrentLocalUser(), alice);
    EXPECT_TRUE(app->Engine().IsLoggedIn());

    const std::vector<CGroup> groups = app->Data()->Groups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Name(), "Wszyscy");
    EXPECT_TRUE(groups[0].HasMember(bob));
    EXPECT_EQ(app->Context()->channels.Favourites().size(), 1u);
    EXPECT_NE(app->MainBar()->FriendTree()->FriendItem(groups[0].Id(), bob), nullptr);

    // Stored for the next start: the user with the kept password, and no
    // second first run.
    const std::string config = Config();
    EXPECT_NE(config.find("RegWizStart=\"0\""), std::string::npos);
    EXPECT_NE(config.find("QID=\"" + std::to_string(alice) + "\" Nick=\"alicja\""),
              std::string::npos)
        << config;
    EXPECT_NE(config.find("SavePassword=\"1\" Password=\"haslo1\""), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FirstRunEndToEnd, ANewAccountIsRegisteredAndItsUnkeptPasswordServesThisRun) {
    existingMember = false;
    WriteConfig(Options());
    ASSERT_TRUE(Start());
    const int qid = app->Data()->CurrentLocalUser();
    ASSERT_GT(qid, 0);
    EXPECT_NE(qid, alice);
    EXPECT_NE(qid, bob);
    EXPECT_EQ(app->Data()->LocalUser(qid)->Nick(), "celina");
    // Signed in with the password typed in the wizard, which is not stored.
    EXPECT_TRUE(app->Engine().IsLoggedIn());
    EXPECT_EQ(app->Engine().CurrentQid(), qid);
    ASSERT_EQ(app->Data()->Groups().size(), 1u);
    EXPECT_EQ(app->Data()->Groups()[0].Name(), "Wszyscy");
    const std::string config = Config();
    EXPECT_NE(config.find("Nick=\"celina\""), std::string::npos) << config;
    EXPECT_NE(config.find("SavePassword=\"0\""), std::string::npos);
    EXPECT_EQ(config.find("haslo3"), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace murmex
