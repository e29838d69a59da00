#include "protocol/command_codes.h"
#include "server/command_handler.h"
#include "server/server_harness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace murmex::test {
namespace {

using Names_t = std::vector<std::string>;

CParamRecord FullProfile() {
    return Record({{"nick", "ala"},           {"email", "ala@example.pl"}, {"name", "Ala"},
                   {"surname", "Kowalska"},   {"url", "http://ala.pl/"},   {"street", W("Długa 1")},
                   {"city", W("Kraków")},     {"born", "631152000"},       {"sex", "2"},
                   {"citysize", "3"},         {"education", "4"},          {"job", "5"},
                   {"country", "0"},          {"interestance", "1,7"},     {"language", "2,3"},
                   {"phone", "12 345 67 89"}, {"cellphone", "0601234567"}, {"restrict_email", "0"},
                   {"restrict_name", "1"},    {"restrict_surname", "0"},   {"password", "tajne"}});
}

class AccountCommands : public ::testing::Test {
protected:
    CTestServer server;
};

TEST_F(AccountCommands, RegisterLoginAndOwnDetailsThroughTheClientEngine) {
    auto engine = server.Connect();
    ASSERT_TRUE(engine);

    CParamRecord registration = FullProfile();
    ASSERT_TRUE(engine->ExecuteCommand(CMD_REGISTER, &registration));
    EXPECT_EQ(Names(registration), Names_t{"userid"});
    const int qid = registration.GetInt("userid");
    EXPECT_GT(qid, 0);
    EXPECT_LT(qid, 1000000000);

    CParamRecord login = Record({{"userid", std::to_string(qid)}, {"password", "tajne"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));
    EXPECT_TRUE(login.Empty());

    CParamRecord details = Record({{"userid", std::to_string(qid)}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_GET_USER_DETAILS, &details));
    EXPECT_EQ(Names(details), (Names_t{"nick",           "email",         "name",
                                       "surname",        "url",           "street",
                                       "city",           "born",          "sex",
                                       "citysize",       "education",     "job",
                                       "country",        "phone",         "cellphone",
                                       "restrict_email", "restrict_name", "restrict_surname",
                                       "language",       "interestance"}));
    // The client's code page comes back as it went out (the record holds Windows-1250).
    const CParamRecord sent = FullProfile();
    for (const auto& [name, value] : details.Entries())
        EXPECT_EQ(value, sent.Get(name)) << name;
}

TEST_F(AccountCommands, RegistrationRefusesTakenPairsAndIncompleteData) {
    CWireClient client(server.Port());
    ASSERT_NE(RegisterMember(client, "ala", "ala@example.pl", "x"), 0);
    // The pair is compared without ASCII case; either half alone may repeat.
    EXPECT_EQ(
        client
            .Exchange(CMD_REGISTER,
                      Record({{"nick", "ALA"}, {"email", "Ala@Example.pl"}, {"password", "y"}}))
            .code,
        4009);
    EXPECT_NE(RegisterMember(client, "ala", "other@example.pl", "x"), 0);
    EXPECT_NE(RegisterMember(client, "ola", "ala@example.pl", "x"), 0);
    // Nobody could log in to an account without a password.
    EXPECT_EQ(client.Exchange(CMD_REGISTER, Record({{"nick", "bez"}, {"email", "b@x.pl"}})).code,
              4000);
    EXPECT_EQ(
        client
            .Exchange(CMD_REGISTER, Record({{"nick", ""}, {"email", "b@x.pl"}, {"password", "p"}}))
            .code,
        4000);
}

TEST_F(AccountCommands, FindIdentifyAndLoginTellRightFromWrong) {
    CWireClient client(server.Port());
    const int qid = RegisterMember(client, "ala", "ala@example.pl", "tajne");
    ASSERT_NE(qid, 0);

    SWireReply found =
        client.Exchange(CMD_FIND_USER, Record({{"nick", "ala"}, {"email", "ala@example.pl"}}));
    EXPECT_EQ(found.code, 2000);
    EXPECT_EQ(Names(found.record), Names_t{"userid"});
    EXPECT_EQ(found.record.GetInt("userid"), qid);
    EXPECT_EQ(client.Exchange(CMD_FIND_USER, Record({{"nick", "ala"}, {"email", "x@x.pl"}})).code,
              4004);

    SWireReply identified = client.Exchange(
        CMD_IDENTIFY,
        Record({{"nick", "ala"}, {"email", "ala@example.pl"}, {"password", "tajne"}}));
    EXPECT_EQ(identified.code, 2000);
    EXPECT_EQ(identified.record.GetInt("userid"), qid);
    EXPECT_EQ(
        client
            .Exchange(CMD_IDENTIFY,
                      Record({{"nick", "ala"}, {"email", "ala@example.pl"}, {"password", "zle"}}))
            .code,
        4003);
    EXPECT_EQ(client
                  .Exchange(CMD_IDENTIFY,
                            Record({{"nick", "nikt"}, {"email", "n@x.pl"}, {"password", "tajne"}}))
                  .code,
              4003);
    // Identifying is no login.
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).code, 4001);

    EXPECT_FALSE(LoginMember(client, qid, "zle"));
    EXPECT_FALSE(LoginMember(client, qid + 1000, "tajne"));
    EXPECT_EQ(client.Exchange(CMD_LOGIN, Record({{"userid", "abc"}, {"password", "tajne"}})).code,
              4000);
    EXPECT_TRUE(LoginMember(client, qid, "tajne"));
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).code, 2000);
    // A refused login leaves the connection logged out, as the client then believes.
    EXPECT_FALSE(LoginMember(client, qid, "zle"));
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).code, 4001);
}

TEST_F(AccountCommands, EveryCommandButTheOpenOnesNeedsALogin) {
    CWireClient client(server.Port());
    const int open[] = {CMD_HELLO,     CMD_REGISTER, CMD_LOGIN,
                        CMD_FIND_USER, CMD_IDENTIFY, CMD_GET_USER};
    for (int code = CMD_HELLO; code <= CMD_FEEDBACK; ++code) {
        if (!CCommandHandler::IsKnownCommand(code) ||
            std::find(std::begin(open), std::end(open), code) != std::end(open))
            continue;
        EXPECT_EQ(client.Exchange(code, Record({{"userid", "1"}, {"chanid", "1"}})).code, 4001)
            << code;
    }
    EXPECT_EQ(client.Exchange(1011).code, 4002);
    EXPECT_EQ(client.Exchange(CMD_HELLO).code, 2000);
}

TEST_F(AccountCommands, LogoutEndsTheLogin) {
    CWireClient client(server.Port());
    const int qid = RegisterMember(client, "ala", "a@x.pl", "p");
    EXPECT_EQ(client.Exchange(CMD_LOGOUT).code, 4001);
    ASSERT_TRUE(LoginMember(client, qid, "p"));
    EXPECT_EQ(client.Exchange(CMD_LOGOUT).code, 2000);
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).code, 4001);
}

TEST_F(AccountCommands, UpdateAndPasswordChangeApplyToTheLoggedInMember) {
    CWireClient client(server.Port());
    const int ala = RegisterMember(client, "ala", "a@x.pl", "stare");
    ASSERT_NE(RegisterMember(client, "ola", "o@x.pl", "p"), 0);
    EXPECT_EQ(client.Exchange(CMD_UPDATE_USER, Record({{"city", W("Gdańsk")}})).code, 4001);
    ASSERT_TRUE(LoginMember(client, ala, "stare"));

    EXPECT_EQ(client
                  .Exchange(CMD_UPDATE_USER, Record({{"nick", "ala"},
                                                     {"email", "a@x.pl"},
                                                     {"city", W("Gdańsk")},
                                                     {"language", "4"}}))
                  .code,
              2000);
    SWireReply details =
        client.Exchange(CMD_GET_USER_DETAILS, Record({{"userid", std::to_string(ala)}}));
    EXPECT_EQ(details.record.Get("city"), W("Gdańsk"));
    EXPECT_EQ(details.record.Get("language"), "4");
    // Someone else's nick and e-mail stay theirs.
    EXPECT_EQ(client.Exchange(CMD_UPDATE_USER, Record({{"nick", "OLA"}, {"email", "o@x.pl"}})).code,
              4009);
    EXPECT_EQ(client.Exchange(CMD_UPDATE_USER, Record({{"nick", ""}})).code, 4000);

    EXPECT_EQ(client.Exchange(CMD_CHANGE_PASSWORD, Record({{"password", ""}})).code, 4000);
    EXPECT_EQ(client.Exchange(CMD_CHANGE_PASSWORD, Record({{"password", "nowe"}})).code, 2000);
    CWireClient other(server.Port());
    EXPECT_FALSE(LoginMember(other, ala, "stare"));
    EXPECT_TRUE(LoginMember(other, ala, "nowe"));
}

TEST_F(AccountCommands, GetUserHidesRestrictedFieldsFromOthersOnly) {
    CWireClient client(server.Port());
    const int hidden = RegisterMember(client, "ukryta", "u@x.pl", "p",
                                      Record({{"name", "Ewa"},
                                              {"surname", "Nowak"},
                                              {"restrict_email", "1"},
                                              {"restrict_name", "1"},
                                              {"restrict_surname", "1"},
                                              {"cellphone", "0600100200"}}));
    const int asker = RegisterMember(client, "pytajacy", "p@x.pl", "p");
    const CParamRecord ask = Record({{"userid", std::to_string(hidden)}});

    // Without a login there is no onenter entry.
    SWireReply anonymous = client.Exchange(CMD_GET_USER, ask);
    EXPECT_EQ(anonymous.code, 2000);
    EXPECT_EQ(Names(anonymous.record),
              (Names_t{"nick", "email", "name", "surname", "is_cellphone"}));
    EXPECT_EQ(anonymous.record.Get("nick"), "ukryta");
    EXPECT_EQ(anonymous.record.Get("email"), "");
    EXPECT_EQ(anonymous.record.Get("name"), "");
    EXPECT_EQ(anonymous.record.Get("surname"), "");
    EXPECT_EQ(anonymous.record.Get("is_cellphone"), "1");

    ASSERT_TRUE(LoginMember(client, asker, "p"));
    SWireReply other = client.Exchange(CMD_GET_USER, ask);
    EXPECT_EQ(Names(other.record),
              (Names_t{"nick", "email", "name", "surname", "is_cellphone", "onenter"}));
    EXPECT_EQ(other.record.Get("email"), "");
    EXPECT_EQ(other.record.Get("onenter"), "");

    ASSERT_TRUE(LoginMember(client, hidden, "p"));
    SWireReply own = client.Exchange(CMD_GET_USER, ask);
    EXPECT_EQ(own.record.Get("email"), "u@x.pl");
    EXPECT_EQ(own.record.Get("name"), "Ewa");
    EXPECT_EQ(own.record.Get("surname"), "Nowak");

    EXPECT_EQ(client.Exchange(CMD_GET_USER, Record({{"userid", "999999"}})).code, 4004);
    EXPECT_EQ(client.Exchange(CMD_GET_USER, Record({{"userid", ""}})).code, 4000);
    // Only the own account's details are given out.
    EXPECT_EQ(
        client.Exchange(CMD_GET_USER_DETAILS, Record({{"userid", std::to_string(asker)}})).code,
        4003);
}

TEST_F(AccountCommands, NotifySettingsShowInOnenter) {
    CWireClient client(server.Port());
    const int me = RegisterMember(client, "ja", "ja@x.pl", "p");
    const int friendQid = RegisterMember(client, "on", "on@x.pl", "p");
    ASSERT_TRUE(LoginMember(client, me, "p"));
    auto notify = [&](const char* method, const char* action) {
        return client
            .Exchange(CMD_SET_NOTIFY, Record({{"userid", std::to_string(friendQid)},
                                              {"method", method},
                                              {"action", action}}))
            .code;
    };
    auto onenter = [&] {
        return client.Exchange(CMD_GET_USER, Record({{"userid", std::to_string(friendQid)}}))
            .record.Get("onenter");
    };
    EXPECT_EQ(notify("3", "1"), 2000);
    EXPECT_EQ(notify("2", "1"), 2000);
    EXPECT_EQ(notify("2", "1"), 2000);
    EXPECT_EQ(onenter(), "2,3");
    EXPECT_EQ(notify("2", "0"), 2000);
    EXPECT_EQ(onenter(), "3");
    EXPECT_EQ(notify("4", "1"), 4000);
    EXPECT_EQ(notify("3", "2"), 4000);
    EXPECT_EQ(client
                  .Exchange(CMD_SET_NOTIFY,
                            Record({{"userid", "999999"}, {"method", "3"}, {"action", "1"}}))
                  .code,
              4004);
}

TEST_F(AccountCommands, PresenceFollowsLoggedInConnections) {
    CWireClient watcher(server.Port());
    const int watcherQid = RegisterMember(watcher, "patrzy", "p@x.pl", "p");
    const int member = RegisterMember(watcher, "bywa", "b@x.pl", "p");
    ASSERT_TRUE(LoginMember(watcher, watcherQid, "p"));
    auto status = [&] {
        return watcher.Exchange(CMD_GET_STATUS, Record({{"userid", std::to_string(member)}}));
    };
    SWireReply before = status();
    EXPECT_EQ(Names(before.record), (Names_t{"active_exe", "active_www"}));
    EXPECT_EQ(before.record.Get("active_exe"), "0");

    auto first = server.Connect();
    auto second = server.Connect();
    ASSERT_TRUE(first && second);
    for (auto* engine : {first.get(), second.get()}) {
        CParamRecord login = Record({{"userid", std::to_string(member)}, {"password", "p"}});
        ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));
    }
    EXPECT_EQ(status().record.Get("active_exe"), "1");
    // One connection logging out leaves the member present through the other.
    ASSERT_TRUE(first->ExecuteCommand(CMD_LOGOUT, nullptr));
    EXPECT_EQ(status().record.Get("active_exe"), "1");
    // Dropping the connection without a logout ends the presence as well.
    second->Abort();
    EXPECT_TRUE(WaitFor([&] { return status().record.Get("active_exe") == "0"; }));

    // The web chat is set on the service's side (here: the admin tool).
    std::string channel;
    ASSERT_EQ(Admin(server, {"create-channel", "--name", "ogólny"}, &channel), 0);
    ASSERT_EQ(Admin(server, {"web-chat", "--user", std::to_string(member), "--channel", channel}),
              0);
    EXPECT_EQ(status().record.Get("active_www"), channel);
    EXPECT_EQ(watcher.Exchange(CMD_GET_STATUS, Record({{"userid", "999999"}})).code, 4004);
}

} // namespace
} // namespace murmex::test
