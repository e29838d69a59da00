// The data model against murmexd: accounts, friends, presence, messages,
// channels and search, end to end.
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "protocol/request_engine.h"
#include "server/admin_tool.h"
#include "server/service_server.h"
#include "storage/options.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace murmex {
namespace {

// One member's view: an engine connected to the server.
std::unique_ptr<CRequestEngine> Client(std::uint16_t port) {
    SEngineSettings s;
    s.port = port;
    s.connectWait = s.writeWait = s.lockWait = std::chrono::seconds(10);
    s.readWait = std::chrono::seconds(30);
    auto engine = std::make_unique<CRequestEngine>(s);
    engine->SetAddressSource([] { return std::string("127.0.0.1"); });
    EXPECT_TRUE(engine->Connect());
    return engine;
}

class ModelEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        SServerSettings settings;
        settings.port = 0;
        settings.database = dir.File("murmexd.db");
        settings.hashCost = CPasswordHasher::ECost::Fast;
        settings.tick = std::chrono::milliseconds(20);
        settings.workers = 2;
        server = std::make_unique<CServiceServer>(settings);
        ASSERT_TRUE(server->Start()) << server->LastError();
        alice = Client(server->Port());
        bob = Client(server->Port());
        channelList = std::make_unique<CChannelList>(*alice, clock);
        aliceQid = Register(*alice, "alicja", "alicja@example.pl", "Alicja", "haslo1");
        bobQid = Register(*bob, "bob", "bob@example.pl", "Robert", "haslo2");
        ASSERT_GT(aliceQid, 0);
        ASSERT_GT(bobQid, 0);
    }
    void TearDown() override {
        if (manager)
            manager->Shutdown();
        manager.reset();
        server->Stop();
        ClearOptions();
    }

    static int Register(CRequestEngine& engine, const std::string& nick, const std::string& email,
                        const std::string& name, const std::string& password) {
        CUserRecord u;
        u.SetNick(nick);
        u.SetDetailEmail(email);
        u.SetDetailName(name);
        u.SetDetailSurname("Testowa");
        u.SetCity("Kraków");
        u.SetSex(-1);
        u.SetPassword(password);
        return u.Register(engine) ? u.Qid() : 0;
    }

    int Admin(std::vector<std::string> args) {
        args.push_back("--database");
        args.push_back(dir.File("murmexd.db"));
        std::ostringstream out, err;
        const int status = RunAdmin(args, out, err);
        EXPECT_EQ(status, 0) << err.str();
        return std::atoi(out.str().c_str());
    }

    // Alice as the local user of a data manager, logged in through the login procedure.
    CDataManager& AliceManager() {
        manager = std::make_unique<CDataManager>(*alice, *channelList, clock);
        manager->SetTreeView(&tree);
        manager->SetHeartbeatSink(&sink);
        manager->SetPasswordPrompt(&prompt);
        manager->SetMessageBox(&messageBox);
        manager->SetDesktopShell(&shell);
        EXPECT_EQ(manager->AddLocalUser(aliceQid), 1);
        prompt.answers = {"zle", "haslo1"};
        manager->SwitchLocalUser(aliceQid);
        EXPECT_EQ(manager->StartLogin(), 1);
        EXPECT_EQ(sink.WaitLogin(), true);
        manager->WaitForWorkers();
        return *manager;
    }

    void Sync() {
        manager->StartFriendsSync();
        manager->WaitForWorkers();
    }

    test::CTempDataDir dir;
    std::unique_ptr<CServiceServer> server;
    std::unique_ptr<CRequestEngine> alice, bob;
    int aliceQid = 0, bobQid = 0;
    CSystemClock clock;
    std::unique_ptr<CChannelList> channelList;
    test::CFakeTree tree;
    test::CFakeSink sink;
    test::CFakePrompt prompt;
    test::CFakeMessageBox messageBox;
    test::CFakeShell shell;
    std::unique_ptr<CDataManager> manager;
};

TEST_F(ModelEndToEnd, AccountsAreFoundIdentifiedAndLoggedIn) {
    CUserRecord found;
    ASSERT_TRUE(found.FindByNickEmail(*alice, "bob", "bob@example.pl"));
    EXPECT_EQ(found.Qid(), bobQid);
    CUserRecord me;
    EXPECT_FALSE(me.Identify(*alice, "alicja", "alicja@example.pl", "zle"));
    ASSERT_TRUE(me.Identify(*alice, "alicja", "alicja@example.pl", "haslo1"));
    EXPECT_EQ(me.Qid(), aliceQid);

    ASSERT_TRUE(me.LoginAs(*alice));
    CUserRecord details(aliceQid);
    ASSERT_TRUE(details.LoadDetails(*alice));
    EXPECT_EQ(details.DetailName(), "Alicja");
    EXPECT_EQ(details.City(), "Kraków");
    ASSERT_TRUE(details.ChangePassword(*alice, "nowe"));
    ASSERT_TRUE(details.LogoutAs(*alice));
    CUserRecord again(aliceQid);
    again.SetPassword("nowe");
    EXPECT_TRUE(again.LoginAs(*alice));
}

TEST_F(ModelEndToEnd, FriendsMessagesAndPresence) {
    CDataManager& dm = AliceManager();
    EXPECT_EQ(prompt.asked, 2);
    EXPECT_EQ(messageBox.Calls().size(), 1u);
    EXPECT_EQ(alice->CurrentQid(), aliceQid);

    const int group = dm.NewGroup("Znajomi");
    EXPECT_EQ(dm.AddFriend(bobQid, group), CDataManager::kDone);
    EXPECT_EQ(dm.UserRecord(bobQid)->Nick(), "bob");

    // Bob writes, Alice's periodic fetch stores it and asks for a window.
    CUserRecord bobMe(bobQid);
    bobMe.SetPassword("haslo2");
    ASSERT_TRUE(bobMe.LoginAs(*bob));
    const std::string text = Utf8ToWin1250("Cześć, źdźbło ąę!\r\nDruga linia ~");
    ASSERT_TRUE(CUserRecord(aliceQid).SendMessage(*bob, text));
    manager->StartMessageFetch();
    manager->WaitForWorkers();
    ASSERT_EQ(dm.MessageCount(), 1);
    EXPECT_EQ(dm.MessageAt(0)->Text(), text);
    EXPECT_EQ(dm.MessageAt(0)->Sender(), bobQid);
    EXPECT_EQ(sink.NewMessages(), std::vector<int>{0});

    // Presence: running first, then the web chat too.
    const std::size_t before = sink.FriendOnline().size();
    Sync();
    EXPECT_TRUE(dm.CachedUser(bobQid)->RunningProgram());
    EXPECT_EQ(sink.FriendOnline().size(), before + 1) << "the program alone is no news";
    const int channel = Admin({"create-channel", "--name", "salon"});
    Admin({"web-chat", "--user", std::to_string(bobQid), "--channel", std::to_string(channel)});
    Sync();
    const auto online = sink.FriendOnline();
    ASSERT_EQ(online.size(), before + 3);
    EXPECT_EQ(online[before + 1], bobQid);
    EXPECT_EQ(online.back(), 0);

    // Differences made on the service's side wait for the user.
    const int carol = Admin({"create-user", "--fast-hash", "--nick", "karolina", "--email",
                             "k@x.pl", "--password", "p"});
    Admin({"add-friend", "--user", std::to_string(aliceQid), "--friend", std::to_string(carol)});
    Sync();
    EXPECT_EQ(dm.NextPendingNewFriend(), carol);
    EXPECT_EQ(dm.NextPendingVanishedFriend(), 0);
    Admin(
        {"remove-friend", "--user", std::to_string(aliceQid), "--friend", std::to_string(bobQid)});
    Sync();
    EXPECT_EQ(dm.NextPendingNewFriend(), carol);
    EXPECT_EQ(dm.NextPendingVanishedFriend(), bobQid);
    EXPECT_EQ(dm.RemoveFriend(carol, 0), 1);
    EXPECT_EQ(dm.RemoveFriend(bobQid, dm.GroupOf(bobQid)), CDataManager::kDone);
    Sync();
    EXPECT_EQ(dm.NextPendingNewFriend(), 0);
    EXPECT_EQ(dm.NextPendingVanishedFriend(), 0);
}

TEST_F(ModelEndToEnd, ChannelsFavouritesAndOperators) {
    CDataManager& dm = AliceManager();
    CChannelList& channels = *channelList;
    CChannelRecord created;
    created.SetName("Rowery");
    created.SetDescription("o rowerach");
    created.SetUrl("http://rowery.example/");
    created.SetCategory(2);
    created.SetMaxUsers(20);
    ASSERT_TRUE(created.Create(channels));
    EXPECT_EQ(created.Creator(), aliceQid);

    CChannelRecord found;
    ASSERT_TRUE(found.FindByName(channels, "Rowery"));
    EXPECT_EQ(found.Id(), created.Id());
    EXPECT_EQ(channels.AddFavouriteByName("Rowery"), CChannelList::kDone);
    EXPECT_EQ(channels.AddFavouriteByName("Rowery"), CChannelList::kAlreadyFavourite);
    EXPECT_EQ(channels.AddFavouriteByName("nie ma"), CChannelList::kNoSuchChannel);
    auto known = channels.KnownById(created.Id());
    ASSERT_TRUE(known);
    EXPECT_EQ(known->Description(), "o rowerach");

    ASSERT_TRUE(known->CheckOperator(channels));
    ASSERT_TRUE(known->LoadOperatorData(channels));
    ASSERT_TRUE(known->AddOperator(channels, bobQid));
    EXPECT_TRUE(known->RemoveOperator(channels, bobQid));
    ASSERT_TRUE(known->LoadState(channels));
    known->SetTopic("Nowy temat");
    ASSERT_TRUE(known->ApplySettings(channels));
    ASSERT_TRUE(known->LoadState(channels));
    EXPECT_EQ(known->Topic(), "Nowy temat");
    EXPECT_EQ(known->TopicSetBy(), aliceQid);

    ASSERT_TRUE(channels.SearchChannels("rower"));
    ASSERT_EQ(channels.SearchResultCount(), 1);
    EXPECT_EQ(channels.SearchResult(0), known);

    // Not in the web chat: the page is written and opened; in it: the chat moves.
    ASSERT_TRUE(dm.EnterChannel(created.Id()));
    EXPECT_EQ(shell.Calls().size(), 1u);
    EXPECT_NE(dir.ReadFile("chat.html").find("VALUE=\"haslo1\""), std::string::npos);
    const int other = Admin({"create-channel", "--name", "inny"});
    Admin({"web-chat", "--user", std::to_string(aliceQid), "--channel", std::to_string(other)});
    ASSERT_TRUE(dm.EnterChannel(created.Id()));
    EXPECT_EQ(shell.Calls().size(), 1u);
    ASSERT_TRUE(known->LoadState(channels));
    EXPECT_EQ(known->CurrentUsers(), 1);
}

TEST_F(ModelEndToEnd, SearchFindsAndCachesMembers) {
    CDataManager& dm = AliceManager();
    CUserRecord criteria;
    criteria.SetNick("bo");
    ASSERT_TRUE(dm.SearchUsers(criteria));
    ASSERT_EQ(dm.SearchResultCount(), 1);
    EXPECT_EQ(dm.SearchResult(0)->Qid(), bobQid);
    EXPECT_EQ(dm.CachedUser(bobQid)->Email(), "bob@example.pl");
    criteria.SetNick("");
    criteria.SetCity("nigdzie");
    ASSERT_TRUE(dm.SearchUsers(criteria));
    EXPECT_EQ(dm.SearchResultCount(), 0);
}

} // namespace
} // namespace murmex
