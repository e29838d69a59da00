// The whole program against murmexd, run in-process on a free port: a known
// user signs in by itself and sees a friend's presence; a first run with an
// existing account sets the user up with the service's friends.
#include "app/service_fixture.h"
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

class AppEndToEnd : public test::ServiceFixture {
protected:
    int FriendIcon(int qid) const {
        const auto items = app->MainBar()->FriendTree()->FriendItems(qid);
        return items.empty() ? -1 : CFriendTree::ItemIcon(items.front());
    }
};

TEST_F(AppEndToEnd, AKnownUserSignsInByItselfAndSeesHisFriendAndMessages) {
    BobSignsIn();
    Admin({"send-message", "--from", std::to_string(bob), "--to", std::to_string(alice), "--text",
           "Cześć, jestem już w programie!"});
    WriteConfig(AliceSignsInByHerself());

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
