// What a finished wizard leaves: the account registered or identified, made a
// local user with the wizard's password, saved, current, and set up.
#include "model/group.h"
#include "session/app_texts.h"
#include "session/main_bar_texts.h"
#include "session/periodic_tasks.h"
#include "storage/options.h"
#include "wizard_world.h"
#include "wizards/account_setup.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CWizardWorld;

// The account as the new-account pages leave it.
CUserRecord NewAccount(const std::string& nick, const std::string& password, bool keep) {
    CUserRecord user;
    user.SetNick(nick);
    user.SetEmail(nick + "@example.pl");
    user.SetDetailEmail(nick + "@example.pl");
    user.SetDetailName("Zenon");
    user.SetPassword(password);
    user.SetSavePassword(keep);
    user.SetSex(-1);
    user.SetCountry(-1);
    return user;
}

// The local users as the next start reads them from disk.
std::vector<CDataManager::User> StoredLocalUsers(CWizardWorld& world) {
    CChannelList channels(world.engine, world.clock);
    CDataManager reread(world.engine, channels, world.clock);
    return reread.LocalUsers();
}

class AccountSetup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(world.Connect()); }

    CWizardWorld world;
    CPeriodicTasks tasks{world.clock};
    int busyBegun = 0, busyEnded = 0;
    SBusyHooks busy{[this] { ++busyBegun; }, [this] { ++busyEnded; }};
};

TEST_F(AccountSetup, NewAccountBecomesTheCurrentUserWithItsSavedLine) {
    CDataManager& data = world.Data();
    CUserRecord account = NewAccount("zenek", "sekret", true);
    const SAccountSetup setup = SetUpLocalAccount(account, data, world.box);
    ASSERT_GT(setup.qid, 0);
    EXPECT_FALSE(setup.wasLocalUser);
    EXPECT_EQ(data.CurrentLocalUser(), setup.qid);
    EXPECT_TRUE(world.box.Calls().empty());

    const auto stored = StoredLocalUsers(world);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->Qid(), setup.qid);
    EXPECT_EQ(stored[0]->Nick(), "zenek");
    EXPECT_EQ(stored[0]->Email(), "zenek@example.pl");
    EXPECT_EQ(stored[0]->Name(), "Zenon");
    EXPECT_TRUE(stored[0]->HasBrief());
    EXPECT_TRUE(stored[0]->IsStoredLocalUser());
    EXPECT_TRUE(stored[0]->SavePassword());
    EXPECT_EQ(stored[0]->Password(), "sekret");

    // The first-user set-up: logged in with that password, a group, the
    // favourite channel and the service's friends in the group.
    world.Admin({"create-channel", "--name", "dla wszystkich"});
    const int friendQid = world.RegisterMember("ola", "ola@example.pl", "x");
    world.Admin(
        {"add-friend", "--user", std::to_string(setup.qid), "--friend", std::to_string(friendQid)});
    EXPECT_TRUE(InitialiseNewLocalUser(data));
    EXPECT_TRUE(world.engine.IsLoggedIn());
    EXPECT_EQ(world.engine.CurrentQid(), setup.qid);
    const std::vector<CGroup> groups = data.Groups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Name(), "Wszyscy");
    EXPECT_EQ(data.Friends(), std::vector<int>{friendQid});
    EXPECT_EQ(world.channels.Favourites().size(), 1u);
    EXPECT_EQ(world.prompt.asked, 0);
}

TEST_F(AccountSetup, PasswordNotKeptIsUsedThisRunButNeverWritten) {
    CDataManager& data = world.Data();
    CUserRecord account = NewAccount("zenek", "sekret", false);
    const int qid = SetUpLocalAccount(account, data, world.box).qid;
    ASSERT_GT(qid, 0);
    EXPECT_EQ(data.LocalUser(qid)->Password(), "sekret");
    EXPECT_EQ(world.dir.ReadFile("murmex.cfg").find("sekret"), std::string::npos);
    const auto stored = StoredLocalUsers(world);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_FALSE(stored[0]->SavePassword());
    EXPECT_FALSE(stored[0]->HasPassword());
    EXPECT_EQ(stored[0]->Nick(), "zenek");
    // Typed a moment ago in the wizard: the login does not ask for it again.
    EXPECT_TRUE(InitialiseNewLocalUser(data));
    EXPECT_EQ(world.prompt.asked, 0);
    EXPECT_TRUE(world.engine.IsLoggedIn());
}

TEST_F(AccountSetup, IdentifiedMemberKeepsTheNameTheServiceHas) {
    const int qid = world.RegisterMember("ola", "ola@example.pl", "tajne");
    CDataManager& data = world.Data();
    CUserRecord account;
    ASSERT_TRUE(account.Identify(world.engine, "ola", "ola@example.pl", "tajne"));
    account.SetSavePassword(true);
    ASSERT_EQ(SetUpLocalAccount(account, data, world.box).qid, qid);
    const auto stored = StoredLocalUsers(world);
    ASSERT_EQ(stored.size(), 1u);
    // The wizard's bare record (nothing but the QID and password) must not
    // wipe the brief data fetched for the local user.
    EXPECT_EQ(stored[0]->Nick(), "ola");
    EXPECT_EQ(stored[0]->Name(), "Jan");
    EXPECT_EQ(stored[0]->Password(), "tajne");
}

TEST_F(AccountSetup, ExistingLocalUserIsSwitchedToWithTheNewPassword) {
    const int olaQid = world.RegisterMember("ola", "ola@example.pl", "nowe");
    CDataManager& data = world.Data();
    ASSERT_EQ(data.AddLocalUser(olaQid), 1);
    data.LocalUser(olaQid)->SetPassword("stare");
    data.LocalUser(olaQid)->SetSavePassword(true);
    data.SwitchLocalUser(olaQid);
    data.NewGroup("Rodzina");
    CUserRecord other = NewAccount("zenek", "z", true);
    const int zenekQid = SetUpLocalAccount(other, data, world.box).qid;
    ASSERT_GT(zenekQid, 0);
    ASSERT_EQ(data.CurrentLocalUser(), zenekQid);
    // Zenek is logged in when ola is added again.
    ASSERT_TRUE(data.QuietLogin());
    ASSERT_EQ(world.engine.CurrentQid(), zenekQid);

    CUserRecord account;
    ASSERT_TRUE(account.Identify(world.engine, "ola", "ola@example.pl", "nowe"));
    account.SetSavePassword(true);
    EXPECT_TRUE(AddLocalAccount(account, data, tasks, world.box, busy));
    EXPECT_TRUE(world.box.Calls().empty());
    EXPECT_EQ(data.CurrentLocalUser(), olaQid);
    EXPECT_EQ(data.LocalUsers().size(), 2u);
    EXPECT_EQ(data.LocalUser(olaQid)->Password(), "nowe");
    // Logged in as her, and her groups are hers: no second first-user set-up.
    EXPECT_TRUE(world.engine.IsLoggedIn());
    EXPECT_EQ(world.engine.CurrentQid(), olaQid);
    ASSERT_EQ(data.Groups().size(), 1u);
    EXPECT_EQ(data.Groups()[0].Name(), "Rodzina");
    EXPECT_EQ(busyBegun, 1);
    EXPECT_EQ(busyEnded, 1);
    EXPECT_FALSE(tasks.IsSuspended());

    const auto stored = StoredLocalUsers(world);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0]->Password(), "nowe");
}

TEST_F(AccountSetup, FailuresAreShownAndLeaveNoUser) {
    CDataManager& data = world.Data();
    // The service refuses a nick and e-mail it has already.
    world.RegisterMember("zenek", "zenek@example.pl", "x");
    CUserRecord taken = NewAccount("zenek", "y", true);
    EXPECT_FALSE(AddLocalAccount(taken, data, tasks, world.box, busy));
    // A QID the service does not know cannot become a local user.
    CUserRecord unknown(987654);
    EXPECT_EQ(SetUpLocalAccount(unknown, data, world.box).qid, 0);
    EXPECT_EQ(world.box.Calls(), (std::vector<std::string>{std::string(kTextUnableToRegister),
                                                           std::string(kTextUnableToAddLocal)}));
    EXPECT_TRUE(data.LocalUsers().empty());
    EXPECT_EQ(data.CurrentLocalUser(), 0);
    // The main bar is given back whatever happened.
    EXPECT_EQ(busyBegun, 1);
    EXPECT_EQ(busyEnded, 1);
    EXPECT_FALSE(tasks.IsSuspended());
}

} // namespace
} // namespace murmex
