// The data manager's lists, their storage and the operations windows call.
#include "model/channel_record.h"
#include "model_world.h"
#include "protocol/command_codes.h"
#include "support/file_size_limit.h"

#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace murmex {
namespace {

using test::CFileSizeLimit;
using test::CModelWorld;

const char* const kMe = "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" "
                        "HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"1\" "
                        "Password=\"pw\" ";

std::string Cached(int qid) {
    return "QID=\"" + std::to_string(qid) + "\" Nick=\"f" + std::to_string(qid) +
           "\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
           "RemoteCellPhonePrefix=\"\" ";
}

// Local user 5 with group 100 "Praca" holding friend 21, and 22 known but not a friend.
class DataManager : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.Connect());
        w.WriteConfig({"[LocalUsers]", kMe, "", "[QID5-Groups]",
                       "GID=\"100\" Name=\"Praca\" FriendsCount=\"1\" F1=\"21\" ", "",
                       "[QID5-Friends]", "friends=\"21\" ", "", "[QID5-Users]", Cached(21),
                       Cached(22)});
        dm().SwitchLocalUser(5);
        dm().WaitForWorkers();
        w.tree.Reset();
        w.favourites.Reset();
    }
    CDataManager& dm() { return w.Manager(); }
    std::vector<std::string> Sent() {
        auto all = w.peer.Requests();
        all.erase(all.begin());
        return all;
    }
    CModelWorld w;
};

TEST_F(DataManager, SwitchingLoadsTheUsersData) {
    EXPECT_EQ(dm().CurrentLocalUser(), 5);
    EXPECT_EQ(dm().Friends(), std::vector<int>{21});
    EXPECT_EQ(dm().GroupOf(21), 100);
    ASSERT_TRUE(dm().CachedUser(22));
    EXPECT_EQ(dm().CachedUser(22)->Nick(), "f22");
    ASSERT_TRUE(dm().LocalUser(5));
    EXPECT_EQ(dm().LocalUser(5)->Password(), "pw");
    EXPECT_TRUE(Sent().empty()) << "everything came from the file";
    EXPECT_EQ(w.sink.switching, 1);

    // Loading again replaces the known users, even with as many as before.
    w.WriteConfig({"[LocalUsers]", kMe, "", "[QID5-Users]", Cached(31), Cached(32)});
    dm().Load();
    EXPECT_FALSE(dm().CachedUser(22));
    ASSERT_TRUE(dm().CachedUser(32));
    EXPECT_EQ(dm().CachedUser(32)->Nick(), "f32");
}

TEST_F(DataManager, FriendsJoinAndLeaveGroups) {
    EXPECT_EQ(dm().AddFriend(22, 999), CDataManager::kNoSuchGroup);
    EXPECT_EQ(dm().AddFriend(21, 100), CDataManager::kAlreadyFriend);
    EXPECT_TRUE(Sent().empty());

    w.peer.Reply(CMD_ADD_FRIEND, "4000 ");
    EXPECT_EQ(dm().AddFriend(22, 100), CDataManager::kDone) << "goes on whatever the server says";
    EXPECT_EQ(dm().Friends(), (std::vector<int>{21, 22}));
    EXPECT_EQ(dm().Group(100)->Members(), (std::vector<int>{21, 22}));
    EXPECT_NE(w.Config().find("F2=\"22\" "), std::string::npos);

    EXPECT_EQ(dm().RemoveFriend(22, 999), CDataManager::kNoSuchGroup);
    EXPECT_EQ(dm().RemoveFriend(23, 100), CDataManager::kNotInGroup);
    EXPECT_EQ(dm().RemoveFriend(22, 100), CDataManager::kDone);
    EXPECT_EQ(dm().Friends(), std::vector<int>{21});
    EXPECT_TRUE(dm().CachedUser(22)) << "a service user stays known";

    // Group 0: only the server hears of it, and its answer is the result.
    w.peer.Reply(CMD_REMOVE_FRIEND, "4000 ");
    EXPECT_EQ(dm().RemoveFriend(21, 0), 0);
    EXPECT_EQ(dm().RemoveFriend(21, 0), 1);
    EXPECT_EQ(dm().Friends(), std::vector<int>{21});

    EXPECT_EQ(Sent(), (std::vector<std::string>{"1050 userid=\"22\" ", "1051 userid=\"22\" ",
                                                "1051 userid=\"21\" ", "1051 userid=\"21\" "}));
    EXPECT_EQ(w.tree.Calls(), (std::vector<std::string>{"friend 100 22", "remove 22"}));
}

TEST_F(DataManager, GroupIdsAreFreshEvenWithinOneSecond) {
    std::set<int> ids{100};
    for (int i = 0; i < 30; ++i) {
        const int id = dm().NewGroup("g");
        EXPECT_GT(id, 0);
        EXPECT_LT(id, 100000000);
        EXPECT_TRUE(ids.insert(id).second) << "id " << id << " reused";
    }
    EXPECT_EQ(dm().Groups().size(), 31u);
    EXPECT_EQ(w.tree.Calls().front(), "group " + std::to_string(dm().Groups()[1].Id()));
    EXPECT_TRUE(dm().RenameGroup(100, "Dom"));
    EXPECT_FALSE(dm().RenameGroup(1, "x"));
    EXPECT_EQ(dm().GroupsChoice().front().text, "Dom");
}

TEST_F(DataManager, LocalContactsStayOnThisComputer) {
    CUserRecord contact;
    contact.SetNick("hydraulik");
    contact.SetLocalCellPhone("0601234567");
    EXPECT_EQ(dm().AddLocalContact(contact, 7), CDataManager::kNoSuchGroup);
    const int a = dm().AddLocalContact(contact, 100);
    const int b = dm().AddLocalContact(contact, 100);
    EXPECT_GT(a, 999999999);
    EXPECT_GT(b, 999999999);
    EXPECT_NE(a, b);
    EXPECT_TRUE(CDataManager::IsLocalContactId(a));
    EXPECT_EQ(dm().GroupOf(a), 100);
    EXPECT_EQ(dm().Friends(), std::vector<int>{21}) << "contacts are not service friends";
    EXPECT_NE(w.Config().find("QID=\"" + std::to_string(a) +
                              "\" Nick=\"hydraulik\" Email=\"\" Name=\"\" Surname=\"\" Street=\"\" "
                              "LocalCellPhone=\"0601234567\" Phone=\"\" "),
              std::string::npos);

    EXPECT_EQ(dm().RemoveFriend(a, 100), CDataManager::kDone);
    EXPECT_FALSE(dm().CachedUser(a));
    EXPECT_TRUE(Sent().empty()) << "the server never hears of a contact";
}

// The look-up per friend keeps an index of the known users; after users come
// and go it must still find each one, and never one that left.
TEST_F(DataManager, KnownUsersAreFoundAfterTheListChanged) {
    CUserRecord contact;
    contact.SetNick("a");
    const int a = dm().AddLocalContact(contact, 100);
    contact.SetNick("b");
    const int b = dm().AddLocalContact(contact, 100);
    ASSERT_TRUE(dm().CachedUser(a));
    ASSERT_TRUE(dm().CachedUser(b));
    // Same number of users as before, with b moved and c where b was.
    ASSERT_EQ(dm().RemoveFriend(a, 100), CDataManager::kDone);
    contact.SetNick("c");
    const int c = dm().AddLocalContact(contact, 100);
    // The freed id may be drawn again for c.
    if (c != a) {
        EXPECT_FALSE(dm().CachedUser(a));
    }
    ASSERT_TRUE(dm().CachedUser(b));
    EXPECT_EQ(dm().CachedUser(b)->Nick(), "b");
    ASSERT_TRUE(dm().CachedUser(c));
    EXPECT_EQ(dm().CachedUser(c)->Nick(), "c");
    ASSERT_TRUE(dm().CachedUser(21));
    EXPECT_EQ(dm().CachedUser(21)->Nick(), "f21");
    EXPECT_FALSE(dm().CachedUser(23));

    // A reload replaces every record.
    dm().Load();
    ASSERT_TRUE(dm().CachedUser(c));
    EXPECT_EQ(dm().CachedUser(c)->Nick(), "c");
    EXPECT_EQ(dm().CachedUser(b)->Nick(), "b");
}

TEST_F(DataManager, MovingAndDeletingGroups) {
    const int home = dm().NewGroup("Dom");
    EXPECT_EQ(dm().MoveFriend(21, 12345), CDataManager::kNoSuchGroup);
    EXPECT_EQ(dm().MoveFriend(22, home), CDataManager::kNotInGroup);
    w.tree.Reset();
    EXPECT_EQ(dm().MoveFriend(21, home), CDataManager::kDone);
    EXPECT_EQ(dm().GroupOf(21), home);
    EXPECT_EQ(dm().Group(100)->MemberCount(), 0);
    EXPECT_EQ(w.tree.Calls(),
              (std::vector<std::string>{"remove 21", "friend " + std::to_string(home) + " 21"}));
    EXPECT_TRUE(Sent().empty()) << "groups are local";

    dm().DeleteGroup(home);
    EXPECT_FALSE(dm().Group(home));
    EXPECT_TRUE(dm().Friends().empty());
    EXPECT_EQ(Sent(), std::vector<std::string>{"1051 userid=\"21\" "});
    EXPECT_EQ(w.tree.Calls().back(), "remove-group " + std::to_string(home));
}

TEST_F(DataManager, UnknownUsersAreNamedButNotKept) {
    w.peer.Reply(CMD_GET_USER, "4004 ");
    auto unknown = dm().UserRecord(40);
    EXPECT_EQ(unknown->Nick(), "[nieznany]");
    EXPECT_EQ(unknown->Email(), "[nieznany]");
    EXPECT_FALSE(dm().CachedUser(40));
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"n\" email=\"e\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    EXPECT_EQ(dm().UserRecord(40)->Nick(), "n");
    EXPECT_TRUE(dm().CachedUser(40));
    EXPECT_EQ(w.peer.Count(CMD_GET_USER), 2);
    EXPECT_EQ(w.peer.Count(CMD_GET_USER_DETAILS), 0) << "not logged in";
}

TEST_F(DataManager, AFriendsItemLearnsTheNameOnceTheRecordArrives) {
    ASSERT_EQ(dm().AddFriend(22, 100), CDataManager::kDone);
    w.tree.Reset();
    // 23 is filed but was never known: its first look-up fails, the second works.
    w.peer.Reply(CMD_GET_USER, "4004 ");
    EXPECT_EQ(dm().UserRecord(23)->Nick(), "[nieznany]");
    EXPECT_TRUE(w.tree.Calls().empty());
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"n\" email=\"e\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    EXPECT_EQ(dm().UserRecord(23)->Nick(), "n");
    EXPECT_TRUE(w.tree.Calls().empty()) << "23 is no friend: no item to tell";

    w.peer.Reply(CMD_GET_USER, "4004 ");
    ASSERT_EQ(dm().AddFriend(24, 100), CDataManager::kDone);
    w.tree.Reset();
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"m\" email=\"e\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    EXPECT_EQ(dm().UserRecord(24)->Nick(), "m");
    EXPECT_EQ(w.tree.Calls(), std::vector<std::string>{"update 24"});
}

TEST_F(DataManager, SavingWithoutAUserWritesOnlyLocalUsers) {
    CModelWorld other;
    other.WriteConfig({"[LocalUsers]", "Nick=\"no qid\" ", kMe, "QID=\"6\" ", "QID=\"5\" "});
    CDataManager& fresh = other.Manager();
    ASSERT_EQ(fresh.LocalUsers().size(), 2u) << "no QID-less or doubled records";
    other.dir.WriteFile("murmex.cfg", "");
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ(
        other.Config(),
        "[LocalUsers]\r\nQID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" "
        "HasRemoteCellPhone=\"0\" LocalCellPhone=\"\" Display=\"\" Note=\"\" OnEnterSMS=\"0\" "
        "OnEnterEmail=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"1\" Password=\"pw\" \r\n"
        "QID=\"6\" SavePassword=\"0\" \r\n");
}

TEST_F(DataManager, AddingAndRemovingLocalUsers) {
    EXPECT_EQ(dm().AddLocalUser(5), 0);
    w.peer.Reply(CMD_GET_USER, "4004 ");
    EXPECT_EQ(dm().AddLocalUser(6), 0);
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"ty\" email=\"e\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    EXPECT_EQ(dm().AddLocalUser(6), 1);
    EXPECT_NE(w.Config().find("QID=\"6\" Nick=\"ty\""), std::string::npos);
    EXPECT_NE(w.Config().find("SavePassword=\"0\" "), std::string::npos);

    std::vector<std::string> titles;
    dm().SetTitleCallback([&titles](const std::string& t) { titles.push_back(t); });
    w.LogIn(5);
    w.peer.Reply(CMD_GET_FRIENDS, "2000 friends=\"21\" ");
    dm().AddMessage([] {
        CMessageRecord m;
        m.SetContent("x", 21, 1);
        return m;
    }());
    ASSERT_TRUE(dm().CachedUser(22));
    EXPECT_EQ(dm().RemoveLocalUser(5), 1);
    EXPECT_FALSE(dm().CachedUser(22));
    EXPECT_FALSE(w.engine.IsLoggedIn());
    EXPECT_EQ(w.peer.RequestsFor(CMD_LOGOUT), std::vector<std::string>{"1031"});
    EXPECT_EQ(dm().CurrentLocalUser(), 0);
    EXPECT_EQ(dm().UnreadCount(), 0) << "the removed user's messages are gone from view";
    EXPECT_EQ(titles, std::vector<std::string>{""});
    EXPECT_EQ(w.tree.Calls().back(), "clear");
    EXPECT_EQ(dm().RemoveLocalUser(5), 0);
    EXPECT_EQ(dm().LocalUsers().size(), 1u);
    EXPECT_NE(w.Config().find("[QID5-Groups]"), std::string::npos) << "their sections stay";
}

TEST_F(DataManager, SwitchingWhileLoggedInLogsTheNewUserIn) {
    w.WriteConfig(
        {"[LocalUsers]", kMe,
         "QID=\"6\" Nick=\"ty\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
         "RemoteCellPhonePrefix=\"\" SavePassword=\"1\" Password=\"p6\" ",
         "", "[QID6-ChannelFavorites]", "Favorites=\"3\" "});
    dm().Load();
    w.LogIn(5);
    std::vector<std::string> titles;
    dm().SetTitleCallback([&titles](const std::string& t) { titles.push_back(t); });
    EXPECT_EQ(dm().SwitchLocalUser(6), 1);
    dm().WaitForWorkers();
    EXPECT_EQ(titles, std::vector<std::string>{"ty"});
    EXPECT_EQ(w.engine.CurrentQid(), 6);
    EXPECT_EQ(Sent().at(0), "1031");
    EXPECT_EQ(Sent().at(1), "1030 userid=\"6\" password=\"p6\" ");
    EXPECT_EQ(w.channels.Favourites(), std::vector<int>{3});
    EXPECT_EQ(w.favourites.Calls(), (std::vector<std::string>{"clear", "add 3"}));
    EXPECT_EQ(w.tree.Calls().front(), "clear");
    EXPECT_TRUE(dm().Friends().empty());
    EXPECT_EQ(dm().SwitchLocalUser(99), 1) << "no such user: nothing happens";
    EXPECT_EQ(dm().CurrentLocalUser(), 6);
}

TEST_F(DataManager, InboxQueries) {
    EXPECT_EQ(dm().FirstUnread(), -1);
    CMessageRecord in;
    in.SetContent("a", 21, 100);
    CMessageRecord out;
    out.SetContent("b", 22, 200);
    out.SetType(CMessageRecord::Sent);
    EXPECT_EQ(dm().AddMessage(in), 0);
    EXPECT_EQ(dm().AddMessage(out), 1);
    EXPECT_EQ(dm().AddMessage(in), 2);
    EXPECT_EQ(w.tree.Calls(), (std::vector<std::string>{"blink 21", "blink 21"}));
    EXPECT_EQ(dm().UnreadCount(), 2);
    EXPECT_EQ(dm().FirstUnread(), 0);
    EXPECT_TRUE(dm().HasUnreadFrom(21));
    EXPECT_FALSE(dm().HasUnreadFrom(22));
    EXPECT_EQ(dm().FirstUnreadFrom(22), 0);

    const auto rows = dm().MessageRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].index, 2);
    EXPECT_EQ(rows[0].summary.rfind("< [nowa] f21 - ", 0), 0u);
    EXPECT_EQ(rows[1].summary.rfind("> f22 - ", 0), 0u);
    const auto fromOne = dm().SenderMessageRows(21);
    ASSERT_EQ(fromOne.size(), 2u);
    EXPECT_EQ(fromOne[1].index, 0);
    EXPECT_EQ(fromOne[1].summary.rfind("< [nowa] ", 0), 0u);

    EXPECT_TRUE(dm().SetMessageRead(0));
    EXPECT_TRUE(dm().SetMessageRead(0));
    EXPECT_FALSE(dm().SetMessageRead(3));
    EXPECT_FALSE(dm().MessageAt(-1));
    EXPECT_EQ(w.tree.Calls().back(), "read 21");
    EXPECT_EQ(dm().FirstUnreadFrom(21), 2);
    EXPECT_NE(
        w.Config().find("msgtext=\"a\" wasread=\"1\" sender=\"21\" whensent=\"100\" type=\"0\" "),
        std::string::npos);

    // Reloading tells the tree again about what is still unread, and writes nothing.
    w.tree.Reset();
    w.dir.WriteFile("murmex.cfg", w.Config());
    const std::string before = w.Config();
    dm().Load();
    EXPECT_EQ(dm().MessageCount(), 3);
    EXPECT_EQ(w.tree.Calls(), std::vector<std::string>{"blink 21"});
    EXPECT_EQ(w.Config(), before);
}

TEST_F(DataManager, SearchSendsOnlyChosenNumbersAndCachesNewUsers) {
    CUserRecord criteria;
    EXPECT_FALSE(dm().SearchUsers(criteria)) << "not logged in";
    w.LogIn(5);
    w.peer.Reply(CMD_SEARCH_USERS, "2000 found=\"22,30,31\" ");
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"n30\" email=\"\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    w.peer.Reply(CMD_GET_USER, "4004 ");
    ASSERT_TRUE(dm().SearchUsers(criteria));
    EXPECT_EQ(dm().SearchResultCount(), 3);
    EXPECT_TRUE(dm().CachedUser(30));
    EXPECT_FALSE(dm().CachedUser(31));
    EXPECT_EQ(dm().SearchResult(0)->Nick(), "f22");
    EXPECT_FALSE(dm().SearchResult(3));

    criteria.SetAge("0-7");
    criteria.SetSex(2);
    criteria.SetSingleInterest(4);
    w.peer.Reply(CMD_SEARCH_USERS, "4000 ");
    EXPECT_FALSE(dm().SearchUsers(criteria));
    EXPECT_EQ(dm().SearchResultCount(), 0);
    EXPECT_EQ(w.peer.RequestsFor(CMD_SEARCH_USERS),
              (std::vector<std::string>{
                  "1300 nick=\"\" email=\"\" name=\"\" surname=\"\" city=\"\" age=\"\" ",
                  "1300 nick=\"\" email=\"\" name=\"\" surname=\"\" city=\"\" age=\"0-7\" "
                  "sex=\"2\" interestance=\"4\" ",
              }));
    EXPECT_EQ(w.peer.RequestsFor(CMD_GET_USER),
              (std::vector<std::string>{"1110 userid=\"30\" ", "1110 userid=\"31\" "}));
}

TEST_F(DataManager, ImportingTheServersFriends) {
    w.LogIn(5);
    w.peer.Reply(CMD_FIND_CHANNEL, "2000 chanid=\"1\" ");
    w.peer.Reply(CMD_GET_FRIENDS, "2000 friends=\"21,22\" ");
    ASSERT_TRUE(dm().ImportServerFriends());
    EXPECT_EQ(dm().Groups().size(), 2u);
    EXPECT_EQ(dm().Groups()[1].Name(), "Wszyscy");
    EXPECT_EQ(dm().Friends(), (std::vector<int>{21, 22})) << "into the first group";
    EXPECT_EQ(dm().GroupOf(22), 100);
    EXPECT_TRUE(w.channels.IsFavourite(1));
    EXPECT_EQ(w.peer.RequestsFor(CMD_FIND_CHANNEL),
              std::vector<std::string>{"1270 name=\"dla wszystkich\" "});
    EXPECT_EQ(w.peer.RequestsFor(CMD_GET_FRIENDS), std::vector<std::string>{"1280 "});
}

TEST_F(DataManager, PeriodicTasksAndChoices) {
    test::CFakeTasks tasks;
    dm().RegisterPeriodicTasks(tasks);
    EXPECT_EQ(tasks.intervals, (std::vector<int>{20, 5}));
    tasks.tasks[0]();
    tasks.tasks[1]();
    dm().WaitForWorkers();
    EXPECT_TRUE(Sent().empty()) << "nothing runs while logged out";
    const auto friends = dm().FriendsChoice();
    ASSERT_EQ(friends.size(), 1u);
    EXPECT_EQ(friends[0].id, 21);
    EXPECT_EQ(friends[0].text, "f21");
}

TEST_F(DataManager, ALocalUserThatCannotBeStoredIsNotAdded) {
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"ty\" email=\"e\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    dm();
    {
        CFileSizeLimit fullDisk(64); // every save fails as on a full disk
        EXPECT_EQ(dm().AddLocalUser(6), 0);
        EXPECT_FALSE(dm().LocalUser(6));
        EXPECT_FALSE(dm().Save());
    }
    EXPECT_NE(w.Config().find("[QID5-Groups]"), std::string::npos) << "the old file is whole";
}

TEST_F(DataManager, CommandsThatChangeNothingHere) {
    EXPECT_TRUE(dm().Recommend("kolega@x.pl"));
    w.peer.Reply(CMD_FEEDBACK, "4000 ");
    EXPECT_FALSE(dm().SendFeedback("uwagi"));
    EXPECT_TRUE(dm().ReAddFriend(21));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"1360 email=\"kolega@x.pl\" ",
                                                "1370 text=\"uwagi\" ", "1050 userid=\"21\" "}));
    EXPECT_EQ(dm().Friends(), std::vector<int>{21});
}

TEST_F(DataManager, EnteringAChannelSignsInWithTheLocalUsersPassword) {
    w.peer.Reply(CMD_GET_STATUS, "4000 ");
    auto channel = std::make_shared<CChannelRecord>(3);
    channel->SetName("kanal");
    channel->SetFlag(CChannelRecord::kDescribed, true);
    w.channels.AddKnown(channel);
    ASSERT_TRUE(dm().EnterChannel(3));
    ASSERT_EQ(w.shell.Calls(), std::vector<std::string>{w.dir.File("chat.html")});
    const std::string page = w.dir.ReadFile("chat.html");
    EXPECT_NE(page.find("<PARAM NAME=\"NICK\" VALUE=\"ja\">\r\n"), std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=\"PASS\" VALUE=\"pw\">\r\n"), std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=\"CHANNEL\" VALUE=\"kanal\">\r\n"), std::string::npos);
}

} // namespace
} // namespace murmex
