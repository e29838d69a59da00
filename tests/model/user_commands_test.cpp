// The exact requests of the user record's service operations and what they keep.
#include "model_world.h"
#include "protocol/command_codes.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CModelWorld;

class UserCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(w.Connect()); }
    // The requests after the greeting.
    std::vector<std::string> Sent() {
        auto all = w.peer.Requests();
        all.erase(all.begin());
        return all;
    }
    CModelWorld w;
};

TEST_F(UserCommands, BriefDataIsFetchedOnceAndTakesTheNoticeMethods) {
    w.peer.Reply(CMD_GET_USER, "2000 nick=\"ala\" email=\"e\" name=\"A\" surname=\"K\" "
                               "is_cellphone=\"1\" onenter=\"3\" ");
    CUserRecord u(7);
    u.SetOnEnterEmailFlag(true);
    ASSERT_TRUE(u.LoadBrief(w.engine));
    EXPECT_EQ(Sent(), std::vector<std::string>{"1110 userid=\"7\" "});
    EXPECT_TRUE(u.HasBrief());
    EXPECT_EQ(u.Nick(), "ala");
    EXPECT_TRUE(u.HasRemoteCellPhone());
    EXPECT_TRUE(u.OnEnterSmsFlag());
    EXPECT_FALSE(u.OnEnterEmailFlag()) << "the list replaces both flags";

    EXPECT_TRUE(u.LoadBrief(w.engine));
    CUserRecord contact(1000000001);
    contact.SetLocalContact(true);
    EXPECT_TRUE(contact.LoadBrief(w.engine));
    EXPECT_TRUE(contact.LoadDetails(w.engine));
    EXPECT_EQ(Sent().size(), 1u) << "cached and local records need no traffic";

    // Without an onenter entry the flags stay as they were.
    w.peer.Reply(CMD_GET_USER,
                 "2000 nick=\"b\" email=\"\" name=\"\" surname=\"\" is_cellphone=\"0\" ");
    CUserRecord v(8);
    v.SetOnEnterEmailFlag(true);
    ASSERT_TRUE(v.LoadBrief(w.engine));
    EXPECT_TRUE(v.OnEnterEmailFlag());
    EXPECT_TRUE(w.missing.Calls().empty());
}

TEST_F(UserCommands, FailedFetchLeavesTheRecordAsItWas) {
    w.peer.Reply(CMD_GET_USER, "4004 nick=\"x\" ");
    CUserRecord u(7);
    EXPECT_FALSE(u.LoadBrief(w.engine));
    EXPECT_FALSE(u.HasBrief());
    EXPECT_EQ(u.Nick(), "");
}

TEST_F(UserCommands, DetailsOnlyForTheOwnAccount) {
    CUserRecord other(9);
    EXPECT_FALSE(other.LoadDetails(w.engine)) << "not logged in";
    w.LogIn(5);
    EXPECT_FALSE(other.LoadDetails(w.engine)) << "somebody else's account";
    EXPECT_TRUE(Sent().empty());

    w.peer.Reply(CMD_GET_USER_DETAILS,
                 "2000 nick=\"me\" email=\"m@x\" name=\"Jan\" surname=\"Nowak\" url=\"u\" "
                 "street=\"s\" city=\"c\" born=\"100\" sex=\"1\" citysize=\"2\" education=\"3\" "
                 "job=\"4\" country=\"5\" phone=\"p\" cellphone=\"0601\" restrict_email=\"1\" "
                 "restrict_name=\"0\" restrict_surname=\"2\" language=\"1,2\" interestance=\"7\" ");
    CUserRecord me(5);
    me.SetLanguages({9});
    ASSERT_TRUE(me.LoadDetails(w.engine));
    EXPECT_TRUE(me.HasDetails());
    EXPECT_EQ(me.DetailSurname(), "Nowak");
    EXPECT_EQ(me.Surname(), "Nowak");
    EXPECT_TRUE(me.HasRemoteCellPhone());
    EXPECT_TRUE(me.RestrictEmail());
    EXPECT_TRUE(me.RestrictSurname());
    EXPECT_EQ(me.Languages(), (std::vector<int>{1, 2}));
    EXPECT_EQ(me.Country(), 5);
}

TEST_F(UserCommands, RegistrationAdjustsNotChosenValuesAndSendsEveryField) {
    CUserRecord u;
    u.SetNick("nowy");
    u.SetDetailEmail("n@x.pl");
    u.SetDetailName("Jan");
    u.SetDetailSurname("Nowak");
    u.SetBorn(315532800);
    u.SetSex(-1);
    u.SetCitySize(-1);
    u.SetEducation(2);
    u.SetJob(-1);
    u.SetCountry(1);
    u.SetInterests({1, 2});
    u.SetRestrictName(true);
    u.SetPassword("tajne");
    w.peer.Reply(CMD_REGISTER, "2000 userid=\"4321\" ");
    ASSERT_TRUE(u.Register(w.engine));
    EXPECT_EQ(Sent(), std::vector<std::string>{
                          "1020 nick=\"nowy\" email=\"n@x.pl\" name=\"Jan\" surname=\"Nowak\" "
                          "url=\"\" street=\"\" city=\"\" born=\"315532800\" sex=\"0\" "
                          "citysize=\"0\" education=\"2\" job=\"0\" country=\"0\" "
                          "interestance=\"1,2\" language=\"\" phone=\"\" cellphone=\"\" "
                          "restrict_email=\"0\" restrict_name=\"1\" restrict_surname=\"0\" "
                          "password=\"tajne\" "});
    EXPECT_EQ(u.Qid(), 4321);
    EXPECT_TRUE(u.HasDetails());
    EXPECT_EQ(u.Email(), "n@x.pl");
    EXPECT_EQ(u.Sex(), 0) << "the record keeps the adjustment";

    EXPECT_FALSE(u.Register(w.engine)) << "a record with a QID is registered already";

    CUserRecord abroad;
    abroad.SetCountry(-1);
    w.peer.Reply(CMD_REGISTER, "4000 ");
    EXPECT_FALSE(abroad.Register(w.engine));
    const std::string line = Sent().back();
    EXPECT_NE(line.find("country=\"-1\" "), std::string::npos);
    EXPECT_EQ(line.find("password="), std::string::npos);
    EXPECT_FALSE(abroad.HasQid());
}

TEST_F(UserCommands, UpdateSendsTheAccountWithoutAdjustmentOrPassword) {
    CUserRecord u(3);
    u.SetNick("n");
    u.SetSex(-1);
    u.SetPassword("p");
    ASSERT_TRUE(u.UpdateAccount(w.engine));
    const std::string line = Sent().back();
    EXPECT_EQ(line.rfind("1060 nick=\"n\" ", 0), 0u);
    EXPECT_NE(line.find("sex=\"-1\" "), std::string::npos);
    EXPECT_EQ(line.find("password"), std::string::npos);
}

TEST_F(UserCommands, LoginLogoutAndPasswordChange) {
    CUserRecord u(12);
    EXPECT_FALSE(u.LoginAs(w.engine)) << "no password held";
    u.SetPassword("a\"b");
    w.peer.Reply(CMD_LOGIN, "4001 ");
    w.engine.SetLoggedIn(false);
    EXPECT_FALSE(u.LoginAs(w.engine));
    EXPECT_FALSE(w.engine.IsLoggedIn());
    ASSERT_TRUE(u.LoginAs(w.engine));
    EXPECT_TRUE(w.engine.IsLoggedIn());
    EXPECT_EQ(w.engine.CurrentQid(), 12);
    EXPECT_FALSE(u.LoginAs(w.engine)) << "already logged in";

    ASSERT_TRUE(u.ChangePassword(w.engine, "nowe"));
    EXPECT_EQ(u.Password(), "nowe");
    CUserRecord other(13);
    EXPECT_FALSE(other.ChangePassword(w.engine, "x"));

    ASSERT_TRUE(u.LogoutAs(w.engine));
    EXPECT_FALSE(w.engine.IsLoggedIn());
    EXPECT_FALSE(u.LogoutAs(w.engine)) << "not logged in any more";
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "1030 userid=\"12\" password=\"a\\\"b\" ",
                          "1030 userid=\"12\" password=\"a\\\"b\" ",
                          "1070 password=\"nowe\" ",
                          "1031",
                      }));
}

TEST_F(UserCommands, FindAndIdentifyGiveTheRecordItsQid) {
    CUserRecord found;
    w.peer.Reply(CMD_FIND_USER, "2000 userid=\"55\" ");
    ASSERT_TRUE(found.FindByNickEmail(w.engine, "ala", "a@b"));
    EXPECT_EQ(found.Qid(), 55);
    w.peer.Reply(CMD_IDENTIFY, "4000 ");
    CUserRecord me;
    EXPECT_FALSE(me.Identify(w.engine, "ja", "j@b", "pw"));
    EXPECT_FALSE(me.HasQid());
    EXPECT_FALSE(me.HasPassword());
    w.peer.Reply(CMD_IDENTIFY, "2000 userid=\"56\" ");
    ASSERT_TRUE(me.Identify(w.engine, "ja", "j@b", "pw"));
    EXPECT_EQ(me.Qid(), 56);
    EXPECT_EQ(me.Password(), "pw");
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "1090 nick=\"ala\" email=\"a@b\" ",
                          "1100 nick=\"ja\" email=\"j@b\" password=\"pw\" ",
                          "1100 nick=\"ja\" email=\"j@b\" password=\"pw\" ",
                      }));
}

TEST_F(UserCommands, MessagesAndSmsEntryOrder) {
    CUserRecord friendUser(21);
    EXPECT_FALSE(friendUser.SendMessage(w.engine, "x")) << "not logged in";
    w.LogIn(1);
    ASSERT_TRUE(friendUser.SendMessage(w.engine, "czesc\r\nhej"));
    EXPECT_FALSE(friendUser.SendSms(w.engine, "x")) << "no phone at all";

    friendUser.SetHasRemoteCellPhone(true);
    friendUser.SetLocalCellPhone("0601");
    ASSERT_TRUE(friendUser.SendSms(w.engine, "a"));
    SetOption("LocalSMS", "1");
    ASSERT_TRUE(friendUser.SendSms(w.engine, "b"));

    CUserRecord contact(1000000003);
    contact.SetLocalContact(true);
    contact.SetLocalCellPhone("0602");
    ASSERT_TRUE(contact.SendSms(w.engine, "c"));

    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "1080 message=\"czesc~hej\" userid=\"21\" ",
                          "1310 userid=\"21\" message=\"a\" ",
                          "1310 userid=\"21\" cellphone=\"0601\" message=\"b\" ",
                          "1310 cellphone=\"0602\" cellphone=\"0602\" message=\"c\" ",
                      }));
}

TEST_F(UserCommands, NoticeIsSentOnlyWhenItChanges) {
    CUserRecord u(40);
    ASSERT_TRUE(u.SetOnEnterSms(w.engine, true));
    EXPECT_TRUE(u.SetOnEnterSms(w.engine, true));
    w.peer.Reply(CMD_SET_NOTIFY, "4000 ");
    u.SetOnEnterEmail(w.engine, false);
    u.SetOnEnterEmail(w.engine, true);
    EXPECT_TRUE(u.OnEnterEmailFlag()) << "the flag is set before sending, whatever comes back";
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "1340 userid=\"40\" method=\"3\" action=\"1\" ",
                          "1340 userid=\"40\" method=\"2\" action=\"1\" ",
                      }));
}

TEST_F(UserCommands, StatusKeepsPresenceAndTheTimeOfTheAnswer) {
    w.peer.Reply(CMD_GET_STATUS, "2000 active_exe=\"1\" active_www=\"17\" ");
    CUserRecord u(8);
    ASSERT_TRUE(u.RefreshStatus(w.engine, w.clock));
    EXPECT_TRUE(u.InChat());
    EXPECT_TRUE(u.RunningProgram());
    EXPECT_EQ(u.ChatValue(), 17);
    EXPECT_EQ(u.StatusTime(), w.clock.now);
    w.peer.Reply(CMD_GET_STATUS, "5000 ");
    w.clock.now += 30;
    EXPECT_FALSE(u.RefreshStatus(w.engine, w.clock));
    EXPECT_TRUE(u.InChat());
    EXPECT_EQ(u.StatusTime(), w.clock.now - 30);
    EXPECT_EQ(Sent().front(), "1290 userid=\"8\" ");
}

TEST_F(UserCommands, FriendCommandsNameTheFriend) {
    CUserRecord u(66);
    EXPECT_TRUE(u.AddAsFriend(w.engine));
    w.peer.Reply(CMD_REMOVE_FRIEND, "4000 ");
    EXPECT_FALSE(u.RemoveAsFriend(w.engine));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"1050 userid=\"66\" ", "1051 userid=\"66\" "}));
}

} // namespace
} // namespace murmex
