// The login procedure, the quiet login, and the two background tasks.
#include "model_world.h"
#include "protocol/command_codes.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CFakePrompt;
using test::CModelWorld;

const char* const kWrongPassword = "Podane przez Ciebie hasło nie jest poprawne.";

std::string LocalUser(bool withPassword) {
    return std::string(
               "QID=\"5\" Nick=\"ja\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
               "RemoteCellPhonePrefix=\"\" SavePassword=\"1\" ") +
           (withPassword ? "Password=\"pw\" " : "");
}

std::string Cached(int qid) {
    return "QID=\"" + std::to_string(qid) +
           "\" Nick=\"f\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
           "RemoteCellPhonePrefix=\"\" ";
}

class Login : public ::testing::Test {
protected:
    void Start(bool storedPassword, bool connect = true) {
        if (connect) {
            ASSERT_TRUE(w.Connect());
        }
        w.WriteConfig({"[LocalUsers]", LocalUser(storedPassword), "", "[QID5-Friends]",
                       "friends=\"21,22\" ", "", "[QID5-Users]", Cached(21), Cached(22)});
        dm().Load();
        dm().SwitchLocalUser(5);
        dm().WaitForWorkers();
    }
    CDataManager& dm() { return w.Manager(); }
    // Runs the login to its end and every worker it started.
    std::optional<bool> RunLogin() {
        EXPECT_EQ(dm().StartLogin(), 1);
        auto result = w.sink.WaitLogin();
        dm().WaitForWorkers();
        return result;
    }
    CModelWorld w;
};

TEST_F(Login, RefusedStoredPasswordEndsWithoutAsking) {
    Start(true);
    w.peer.Reply(CMD_LOGIN, "4001 ");
    EXPECT_EQ(RunLogin(), false);
    EXPECT_EQ(w.prompt.asked, 0);
    EXPECT_TRUE(w.messageBox.Calls().empty());
    EXPECT_FALSE(w.engine.IsLoggedIn());
    EXPECT_EQ(w.peer.RequestsFor(CMD_LOGIN),
              std::vector<std::string>{"1030 userid=\"5\" password=\"pw\" "});
}

TEST_F(Login, AsksUntilThePasswordIsTaken) {
    Start(false);
    w.prompt.answers = {"zle", "dobre"};
    w.peer.Reply(CMD_LOGIN, "4001 ");
    EXPECT_EQ(RunLogin(), true);
    EXPECT_EQ(w.prompt.asked, 2);
    EXPECT_EQ(w.messageBox.Calls(), std::vector<std::string>{kWrongPassword});
    EXPECT_TRUE(w.engine.IsLoggedIn());
    EXPECT_EQ(w.engine.CurrentQid(), 5);
    EXPECT_EQ(dm().LocalUser(5)->Password(), "dobre");
    EXPECT_EQ(w.peer.RequestsFor(CMD_LOGIN).back(), "1030 userid=\"5\" password=\"dobre\" ");
}

TEST_F(Login, CancelledDialogEndsTheLoginAndKeepsNoWrongPassword) {
    Start(false);
    w.prompt.answers = {"zle", "tez zle"};
    w.peer.Reply(CMD_LOGIN, "4001 ");
    w.peer.Reply(CMD_LOGIN, "4001 ");
    EXPECT_EQ(RunLogin(), false);
    EXPECT_EQ(w.prompt.asked, 3);
    EXPECT_EQ(w.messageBox.Calls(), (std::vector<std::string>{kWrongPassword, kWrongPassword}));
    EXPECT_FALSE(dm().LocalUser(5)->HasPassword()) << "the next login must ask again";
}

TEST_F(Login, LostConnectionIsNotAWrongPassword) {
    Start(false);
    // The user answers, and the connection goes while he does.
    CFakePrompt prompt;
    prompt.answers = {"x"};
    prompt.whileAsked = [this] { w.engine.Abort(); };
    dm().SetPasswordPrompt(&prompt);
    EXPECT_EQ(RunLogin(), false);
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_TRUE(w.messageBox.Calls().empty());
}

TEST_F(Login, ConnectsFirstAndStoresWaitingMessagesQuietly) {
    Start(true, false);
    w.peer.Reply(CMD_FETCH_MESSAGE, "2000 sender=\"21\" msg=\"a\" date=\"100\" ");
    w.peer.Reply(CMD_FETCH_MESSAGE, "2000 sender=\"22\" msg=\"b~c\" date=\"200\" ");
    EXPECT_EQ(RunLogin(), true);
    EXPECT_EQ(w.peer.Requests().front(), "1010");
    EXPECT_EQ(w.peer.Count(CMD_FETCH_MESSAGE), 3);
    EXPECT_EQ(w.peer.RequestsFor(CMD_FETCH_MESSAGE).front(), "1350 ");
    ASSERT_EQ(dm().MessageCount(), 2);
    EXPECT_EQ(dm().MessageAt(1)->Text(), "b\r\nc");
    EXPECT_EQ(dm().MessageAt(1)->SentTime(), 200);
    EXPECT_TRUE(w.sink.NewMessages().empty()) << "no window for messages that waited";
    EXPECT_EQ(dm().UnreadCount(), 2);
    EXPECT_EQ(w.peer.Count(CMD_GET_FRIENDS), 1) << "the login starts a synchronisation";
}

TEST_F(Login, NoLoginWithoutALocalUserOrAServer) {
    EXPECT_EQ(dm().StartLogin(), 0);
    EXPECT_FALSE(dm().QuietLogin());
    w.engine.SetAddressSource([] { return std::string("not an address"); });
    Start(true, false);
    EXPECT_EQ(RunLogin(), false);
}

TEST_F(Login, QuietLoginUsesTheSameLoop) {
    Start(false);
    w.prompt.answers = {"a", "b"};
    w.peer.Reply(CMD_LOGIN, "4001 ");
    EXPECT_TRUE(dm().QuietLogin());
    EXPECT_EQ(w.messageBox.Calls(), std::vector<std::string>{kWrongPassword});
    EXPECT_EQ(w.engine.CurrentQid(), 5);
    EXPECT_TRUE(dm().Logout());
    EXPECT_FALSE(w.engine.IsLoggedIn());
    EXPECT_TRUE(dm().QuietLogin()) << "the password that worked is kept";
    EXPECT_EQ(w.prompt.asked, 2);
}

class Sync : public Login {
protected:
    void SetUp() override {
        Start(true);
        w.LogIn(5);
    }
    void RunSync() {
        dm().StartFriendsSync();
        dm().WaitForWorkers();
    }
};

TEST_F(Sync, DifferencesWaitForTheUser) {
    w.peer.Reply(CMD_GET_FRIENDS, "2000 friends=\"21,30,30\" ");
    RunSync();
    EXPECT_EQ(w.peer.RequestsFor(CMD_GET_FRIENDS), std::vector<std::string>{"1280 "});
    EXPECT_EQ(w.sink.FriendOnline(), std::vector<int>{0});
    RunSync();
    EXPECT_EQ(w.peer.Count(CMD_GET_FRIENDS), 1) << "stops while findings are pending";
    EXPECT_EQ(dm().NextPendingNewFriend(), 30);
    EXPECT_EQ(dm().NextPendingNewFriend(), 0);
    EXPECT_EQ(dm().NextPendingVanishedFriend(), 22);
    EXPECT_EQ(dm().NextPendingVanishedFriend(), 0);

    w.peer.Reply(CMD_GET_FRIENDS, "2000 friends=\"22,21\" ");
    RunSync();
    EXPECT_EQ(dm().NextPendingNewFriend(), 0);
    EXPECT_EQ(dm().NextPendingVanishedFriend(), 0);
    EXPECT_EQ(w.sink.FriendOnline(), (std::vector<int>{0, 0}));
}

TEST_F(Sync, AFriendComingOnlineIsAnnouncedOnce) {
    w.peer.Default(CMD_GET_FRIENDS, "2000 friends=\"21,22\" ");
    for (int run = 0; run < 2; ++run) {
        w.peer.Reply(CMD_GET_STATUS, "2000 active_exe=\"1\" active_www=\"4\" ");
        w.peer.Reply(CMD_GET_STATUS, "2000 active_exe=\"1\" active_www=\"0\" ");
    }
    w.tree.Reset();
    RunSync();
    RunSync();
    EXPECT_EQ(w.sink.FriendOnline(), (std::vector<int>{21, 0, 0}));
    EXPECT_EQ(w.tree.Calls(), (std::vector<std::string>{"update 21", "update 22"}));
    EXPECT_EQ(w.peer.RequestsFor(CMD_GET_STATUS),
              (std::vector<std::string>{"1290 userid=\"21\" ", "1290 userid=\"22\" ",
                                        "1290 userid=\"21\" ", "1290 userid=\"22\" "}));
    EXPECT_TRUE(dm().CachedUser(21)->InChat());
}

TEST_F(Sync, FetchedMessagesEachOpenAWindow) {
    w.peer.Reply(CMD_FETCH_MESSAGE, "2000 sender=\"21\" msg=\"a\" date=\"1\" ");
    w.peer.Reply(CMD_FETCH_MESSAGE, "2000 sender=\"40\" msg=\"b\" date=\"2\" ");
    w.peer.Reply(CMD_FETCH_MESSAGE, "4000 ");
    w.peer.Reply(CMD_FETCH_MESSAGE, "2000 sender=\"1\" msg=\"later\" date=\"3\" ");
    w.tree.Reset();
    dm().StartMessageFetch();
    dm().WaitForWorkers();
    EXPECT_EQ(w.peer.Count(CMD_FETCH_MESSAGE), 3) << "the loop ends at the first failure";
    EXPECT_EQ(w.sink.NewMessages(), (std::vector<int>{0, 1}));
    EXPECT_EQ(w.tree.Calls(), (std::vector<std::string>{"blink 21", "blink 40"}));
    EXPECT_NE(w.Config().find("[QID5-Messages]\r\nmsgtext=\"a\" wasread=\"0\" sender=\"21\" "
                              "whensent=\"1\" type=\"0\" \r\n"),
              std::string::npos);

    w.engine.SetLoggedIn(false);
    dm().StartMessageFetch();
    dm().WaitForWorkers();
    EXPECT_EQ(w.peer.Count(CMD_FETCH_MESSAGE), 3) << "nothing while logged out";
}

TEST_F(Sync, NothingStartsAfterShutdown) {
    dm().Shutdown();
    EXPECT_EQ(dm().StartLogin(), 0);
    dm().StartFriendsSync();
    dm().StartMessageFetch();
    dm().WaitForWorkers();
    EXPECT_EQ(w.peer.Count(CMD_GET_FRIENDS), 0);
    EXPECT_EQ(w.peer.Count(CMD_FETCH_MESSAGE), 0);
}

} // namespace
} // namespace murmex
