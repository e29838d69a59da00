#include "protocol/command_codes.h"
#include "server/server_harness.h"

#include <gtest/gtest.h>

namespace murmex::test {
namespace {

using Names_t = std::vector<std::string>;

std::string Id(int id) {
    return std::to_string(id);
}

class ChannelCommands : public ::testing::Test {
protected:
    void SetUp() override {
        owner = RegisterMember(ownerClient, "wlasciciel", "w@x.pl", "p");
        guest = RegisterMember(guestClient, "gosc", "g@x.pl", "p");
        ASSERT_TRUE(LoginMember(ownerClient, owner, "p"));
        ASSERT_TRUE(LoginMember(guestClient, guest, "p"));
    }

    int Create(const std::string& name, const std::string& description = "", int maxUsers = 0) {
        SWireReply reply =
            ownerClient.Exchange(CMD_CREATE_CHANNEL, Record({{"name", name},
                                                             {"description", description},
                                                             {"category", "3"},
                                                             {"URL", "http://kanal/"},
                                                             {"max_users", Id(maxUsers)}}));
        return reply.code == 2000 ? reply.record.GetInt("chanid") : 0;
    }

    CTestServer server;
    CWireClient ownerClient{server.Port()};
    CWireClient guestClient{server.Port()};
    int owner = 0, guest = 0;
};

TEST_F(ChannelCommands, CreatedChannelIsFoundAndDescribedThroughTheClientEngine) {
    auto engine = server.Connect();
    ASSERT_TRUE(engine);
    CParamRecord login = Record({{"userid", Id(owner)}, {"password", "p"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));

    CParamRecord create = Record({{"name", W("Pogaduszki przy kawie")},
                                  {"description", W("Rozmowy o wszystkim")},
                                  {"category", "3"},
                                  {"URL", "http://kawa.pl/"},
                                  {"max_users", "25"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_CREATE_CHANNEL, &create));
    EXPECT_EQ(Names(create), Names_t{"chanid"});
    const int id = create.GetInt("chanid");
    EXPECT_GT(id, 0);

    CParamRecord find = Record({{"name", W("Pogaduszki przy kawie")}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_FIND_CHANNEL, &find));
    EXPECT_EQ(Names(find), Names_t{"chanid"});
    EXPECT_EQ(find.GetInt("chanid"), id);

    CParamRecord get = Record({{"chanid", Id(id)}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_GET_CHANNEL, &get));
    EXPECT_EQ(Names(get),
              (Names_t{"name", "description", "url", "category", "creator", "max_users"}));
    EXPECT_EQ(get.Get("name"), W("Pogaduszki przy kawie"));
    EXPECT_EQ(get.Get("description"), W("Rozmowy o wszystkim"));
    EXPECT_EQ(get.Get("url"), "http://kawa.pl/");
    EXPECT_EQ(get.GetInt("category"), 3);
    EXPECT_EQ(get.GetInt("creator"), owner);
    EXPECT_EQ(get.GetInt("max_users"), 25);

    CParamRecord state = Record({{"chanid", Id(id)}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_GET_CHANNEL_STATE, &state));
    EXPECT_EQ(Names(state), (Names_t{"topic", "topicsetby", "current_user"}));
    EXPECT_EQ(state.Get("current_user"), "0");

    CParamRecord opers = Record({{"chanid", Id(id)}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_GET_CHANNEL_OPERS, &opers));
    EXPECT_EQ(Names(opers), (Names_t{"opers", "password"}));
    EXPECT_EQ(opers.Get("opers"), Id(owner));
}

TEST_F(ChannelCommands, NamesAreUniqueAndLookupsOfUnknownChannelsFail) {
    const int id = Create("kanal");
    ASSERT_NE(id, 0);
    EXPECT_EQ(Create("kanal"), 0);
    EXPECT_NE(Create("Kanal"), 0) << "names compare exactly";
    EXPECT_EQ(ownerClient.Exchange(CMD_CREATE_CHANNEL, Record({{"name", ""}})).code, 4000);
    EXPECT_EQ(
        ownerClient.Exchange(CMD_CREATE_CHANNEL, Record({{"name", "z"}, {"max_users", "-1"}})).code,
        4000);
    EXPECT_EQ(guestClient.Exchange(CMD_FIND_CHANNEL, Record({{"name", "nie ma"}})).code, 4004);
    EXPECT_EQ(guestClient.Exchange(CMD_GET_CHANNEL, Record({{"chanid", "999"}})).code, 4004);
    EXPECT_EQ(guestClient.Exchange(CMD_GET_CHANNEL_STATE, Record({{"chanid", "999"}})).code, 4004);
    EXPECT_EQ(guestClient.Exchange(CMD_CHECK_OPERATOR, Record({{"chanid", "999"}})).code, 4004);
    EXPECT_EQ(guestClient.Exchange(CMD_GET_CHANNEL, Record({{"chanid", "x"}})).code, 4000);
}

TEST_F(ChannelCommands, OnlyOperatorsSeeAndChangeTheOperatorData) {
    const int id = Create("kanal");
    const CParamRecord channel = Record({{"chanid", Id(id)}});
    EXPECT_EQ(guestClient.Exchange(CMD_CHECK_OPERATOR, channel).code, 4003);
    EXPECT_EQ(guestClient.Exchange(CMD_GET_CHANNEL_OPERS, channel).code, 4003);
    EXPECT_EQ(guestClient
                  .Exchange(CMD_SET_CHANNEL, Record({{"chanid", Id(id)},
                                                     {"topic", "moje"},
                                                     {"password", ""},
                                                     {"max_users", "0"}}))
                  .code,
              4003);
    EXPECT_EQ(
        guestClient.Exchange(CMD_ADD_OPERATOR, Record({{"userid", Id(guest)}, {"chanid", Id(id)}}))
            .code,
        4003);

    EXPECT_EQ(ownerClient.Exchange(CMD_CHECK_OPERATOR, channel).code, 2000);
    EXPECT_EQ(ownerClient
                  .Exchange(CMD_SET_CHANNEL, Record({{"chanid", Id(id)},
                                                     {"topic", W("Dziś o kotach")},
                                                     {"password", "sekret"},
                                                     {"max_users", "5"}}))
                  .code,
              2000);
    SWireReply state = guestClient.Exchange(CMD_GET_CHANNEL_STATE, channel);
    EXPECT_EQ(state.record.Get("topic"), W("Dziś o kotach"));
    EXPECT_EQ(state.record.GetInt("topicsetby"), owner);
    EXPECT_EQ(guestClient.Exchange(CMD_GET_CHANNEL, channel).record.GetInt("max_users"), 5);

    EXPECT_EQ(
        ownerClient.Exchange(CMD_ADD_OPERATOR, Record({{"userid", Id(guest)}, {"chanid", Id(id)}}))
            .code,
        2000);
    EXPECT_EQ(
        ownerClient.Exchange(CMD_ADD_OPERATOR, Record({{"userid", "999999"}, {"chanid", Id(id)}}))
            .code,
        4004);
    SWireReply opers = guestClient.Exchange(CMD_GET_CHANNEL_OPERS, channel);
    EXPECT_EQ(opers.code, 2000);
    EXPECT_EQ(opers.record.Get("opers"), Id(owner) + "," + Id(guest));
    EXPECT_EQ(opers.record.Get("password"), "sekret");

    // The same topic again keeps who set it; a new one records the new operator.
    EXPECT_EQ(guestClient
                  .Exchange(CMD_SET_CHANNEL, Record({{"chanid", Id(id)},
                                                     {"topic", W("Dziś o kotach")},
                                                     {"password", "sekret"},
                                                     {"max_users", "5"}}))
                  .code,
              2000);
    EXPECT_EQ(guestClient.Exchange(CMD_GET_CHANNEL_STATE, channel).record.GetInt("topicsetby"),
              owner);
    EXPECT_EQ(guestClient
                  .Exchange(CMD_SET_CHANNEL, Record({{"chanid", Id(id)},
                                                     {"topic", "psy"},
                                                     {"password", ""},
                                                     {"max_users", "-3"}}))
                  .code,
              4000);
}

TEST_F(ChannelCommands, RemoveOperatorWorksOnTheChannelLastHandledAsOperator) {
    const int first = Create("pierwszy");
    const int second = Create("drugi");
    // No channel handled yet on this connection.
    EXPECT_EQ(ownerClient.Exchange(CMD_REMOVE_OPERATOR, Record({{"userid", Id(guest)}})).code,
              4003);

    for (int id : {first, second})
        ASSERT_EQ(
            ownerClient
                .Exchange(CMD_ADD_OPERATOR, Record({{"userid", Id(guest)}, {"chanid", Id(id)}}))
                .code,
            2000);
    ASSERT_EQ(ownerClient.Exchange(CMD_CHECK_OPERATOR, Record({{"chanid", Id(first)}})).code, 2000);
    EXPECT_EQ(ownerClient.Exchange(CMD_REMOVE_OPERATOR, Record({{"userid", Id(guest)}})).code,
              2000);
    EXPECT_EQ(ownerClient.Exchange(CMD_REMOVE_OPERATOR, Record({{"userid", Id(guest)}})).code,
              4004);

    EXPECT_EQ(guestClient.Exchange(CMD_CHECK_OPERATOR, Record({{"chanid", Id(first)}})).code, 4003);
    EXPECT_EQ(guestClient.Exchange(CMD_CHECK_OPERATOR, Record({{"chanid", Id(second)}})).code,
              2000);

    // The guest, still operator of the second channel, may remove the owner
    // there, but nobody may remove the last operator.
    EXPECT_EQ(guestClient.Exchange(CMD_REMOVE_OPERATOR, Record({{"userid", Id(owner)}})).code,
              2000);
    EXPECT_EQ(guestClient.Exchange(CMD_REMOVE_OPERATOR, Record({{"userid", Id(guest)}})).code,
              4003);
    // The owner, no longer an operator there, cannot act on it any more.
    ASSERT_EQ(ownerClient.Exchange(CMD_CHECK_OPERATOR, Record({{"chanid", Id(second)}})).code,
              4003);
    EXPECT_EQ(ownerClient.Exchange(CMD_REMOVE_OPERATOR, Record({{"userid", Id(guest)}})).code,
              4003);
}

TEST_F(ChannelCommands, SearchLooksAtNameAndDescription) {
    const int cats = Create("Koty", W("Wszystko o kotach"));
    const int dogs = Create("Psy", W("Kąpiel, spacery, KOTY sąsiadów"));
    const int cars = Create("Auta", "");
    auto search = [&](const std::string& query) {
        SWireReply reply = guestClient.Exchange(CMD_SEARCH_CHANNELS, Record({{"query", query}}));
        EXPECT_EQ(Names(reply.record), Names_t{"found"});
        return reply.record.Get("found");
    };
    EXPECT_EQ(search("koty"), Id(cats) + "," + Id(dogs));
    EXPECT_EQ(search(W("KĄPIEL")), Id(dogs));
    EXPECT_EQ(search(""), Id(cats) + "," + Id(dogs) + "," + Id(cars));
    EXPECT_EQ(search("rowery"), "");
}

TEST_F(ChannelCommands, JoinMovesOnlyARunningWebChat) {
    const int lobby = Create("hol");
    const int small = Create("mały", "", 1);
    auto join = [&](int id) {
        return guestClient.Exchange(CMD_JOIN_CHANNEL, Record({{"chanid", Id(id)}})).code;
    };
    auto where = [&] {
        return guestClient.Exchange(CMD_GET_STATUS, Record({{"userid", Id(guest)}}))
            .record.GetInt("active_www");
    };
    auto users = [&](int id) {
        return guestClient.Exchange(CMD_GET_CHANNEL_STATE, Record({{"chanid", Id(id)}}))
            .record.GetInt("current_user");
    };

    EXPECT_EQ(join(lobby), 4003) << "not in the web chat";
    EXPECT_EQ(where(), 0);

    ASSERT_EQ(Admin(server, {"web-chat", "--user", Id(guest), "--channel", Id(lobby)}), 0);
    EXPECT_EQ(users(lobby), 1);
    EXPECT_EQ(join(999), 4004);
    EXPECT_EQ(join(small), 2000);
    EXPECT_EQ(where(), small);
    EXPECT_EQ(users(lobby), 0);
    EXPECT_EQ(users(small), 1);

    // The small channel holds one: the owner, chatting in the lobby, cannot come in.
    ASSERT_EQ(Admin(server, {"web-chat", "--user", Id(owner), "--channel", Id(lobby)}), 0);
    EXPECT_EQ(ownerClient.Exchange(CMD_JOIN_CHANNEL, Record({{"chanid", Id(small)}})).code, 4003);
    EXPECT_EQ(join(small), 2000) << "staying where one is never counts as full";
}

} // namespace
} // namespace murmex::test
