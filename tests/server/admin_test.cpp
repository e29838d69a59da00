#include "protocol/command_codes.h"
#include "server/server_harness.h"

#include <gtest/gtest.h>
#include <thread>

namespace murmex::test {
namespace {

std::string Id(int id) {
    return std::to_string(id);
}

class AdminTool : public ::testing::Test {
protected:
    int CreateUser(const std::string& nick, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"create-user",  "--nick",     nick,    "--email",
                                         nick + "@x.pl", "--password", "haslo", "--fast-hash"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::string out;
        return Admin(server, args, &out) == 0 ? std::stoi(out) : 0;
    }

    CTestServer server;
    CWireClient client{server.Port()};
};

TEST_F(AdminTool, CreatedMembersCanLogInToTheRunningServer) {
    const int qid =
        CreateUser("ala", {"--name", "Ala", "--surname", "Żak", "--cellphone", "0601000001"});
    ASSERT_GT(qid, 0);
    auto engine = server.Connect();
    ASSERT_TRUE(engine);
    CParamRecord login = Record({{"userid", Id(qid)}, {"password", "haslo"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));
    CParamRecord user = Record({{"userid", Id(qid)}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_GET_USER, &user));
    EXPECT_EQ(user.Get("surname"), W("Żak"));
    EXPECT_EQ(user.Get("is_cellphone"), "1");

    std::string err;
    EXPECT_EQ(Admin(server,
                    {"create-user", "--nick", "ALA", "--email", "ala@x.pl", "--password", "x",
                     "--fast-hash"},
                    nullptr, &err),
              1);
    EXPECT_NE(err.find("already exists"), std::string::npos) << err;
}

TEST_F(AdminTool, MessagesFriendsAndWebChatShowThroughTheService) {
    const int ala = CreateUser("ala");
    const int ola = CreateUser("ola");
    ASSERT_TRUE(LoginMember(client, ala, "haslo"));

    ASSERT_EQ(
        Admin(server, {"send-message", "--from", Id(ola), "--to", Id(ala), "--text", "Cześć!"}), 0);
    SWireReply message = client.Exchange(CMD_FETCH_MESSAGE, CParamRecord());
    ASSERT_EQ(message.code, 2000);
    EXPECT_EQ(message.record.GetInt("sender"), ola);
    EXPECT_EQ(message.record.Get("msg"), W("Cześć!"));

    ASSERT_EQ(Admin(server, {"add-friend", "--user", Id(ala), "--friend", Id(ola)}), 0);
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).record.Get("friends"), Id(ola));
    ASSERT_EQ(Admin(server, {"remove-friend", "--user", Id(ala), "--friend", Id(ola)}), 0);
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).record.Get("friends"), "");
    EXPECT_EQ(Admin(server, {"remove-friend", "--user", Id(ala), "--friend", Id(ola)}), 1);

    std::string channel;
    ASSERT_EQ(Admin(server,
                    {"create-channel", "--name", "Hol", "--description", "Dla wszystkich",
                     "--creator", Id(ola)},
                    &channel),
              0);
    ASSERT_EQ(Admin(server, {"web-chat", "--user", Id(ala), "--channel", channel}), 0);
    EXPECT_EQ(
        client.Exchange(CMD_GET_STATUS, Record({{"userid", Id(ala)}})).record.Get("active_www"),
        channel);
    EXPECT_EQ(
        client.Exchange(CMD_GET_CHANNEL, Record({{"chanid", channel}})).record.GetInt("creator"),
        ola);
    ASSERT_EQ(Admin(server, {"web-chat", "--user", Id(ala), "--channel", "0"}), 0);
    EXPECT_EQ(
        client.Exchange(CMD_GET_STATUS, Record({{"userid", Id(ala)}})).record.Get("active_www"),
        "0");

    // A channel made without a creator has no operator.
    std::string lobby;
    ASSERT_EQ(Admin(server, {"create-channel", "--name", "Bez"}, &lobby), 0);
    EXPECT_EQ(client.Exchange(CMD_CHECK_OPERATOR, Record({{"chanid", lobby}})).code, 4003);
    EXPECT_EQ(Admin(server, {"create-channel", "--name", "Hol"}), 1);
}

TEST_F(AdminTool, WrongUsageAndUnknownTargetsAreTold) {
    const int ala = CreateUser("ala");
    std::string err;
    EXPECT_EQ(Admin(server, {}, nullptr, &err), 2);
    EXPECT_NE(err.find("Usage"), std::string::npos);
    EXPECT_EQ(Admin(server, {"explode"}), 2);
    EXPECT_EQ(Admin(server, {"create-user", "--nick", "x", "--email", "x@x.pl"}), 2);
    EXPECT_EQ(Admin(server, {"web-chat", "--user", Id(ala), "--channel", "1", "--text", "x"}), 2);
    EXPECT_EQ(Admin(server, {"web-chat", "--user", "ala", "--channel", "0"}), 2);
    EXPECT_EQ(Admin(server, {"send-message", "--from", Id(ala), "--to", Id(ala), "--text"}), 2);
    EXPECT_EQ(Admin(server, {"web-chat", "--user", Id(ala), "--channel", "77"}), 1);
    EXPECT_EQ(Admin(server, {"web-chat", "--user", "999999", "--channel", "0"}), 1);
    EXPECT_EQ(Admin(server, {"send-message", "--from", "999999", "--to", Id(ala), "--text", "x"}),
              1);
    EXPECT_EQ(Admin(server, {"add-friend", "--user", Id(ala), "--friend", Id(ala)}), 1);
    EXPECT_EQ(Admin(server, {"create-channel", "--name", "x", "--creator", "999999"}), 1);
}

TEST_F(AdminTool, WritesWhileTheServerWritesTooAndNothingIsLost) {
    const int ala = CreateUser("ala");
    const int ola = CreateUser("ola");
    CWireClient writer(server.Port());
    ASSERT_TRUE(LoginMember(writer, ola, "haslo"));
    constexpr int kEach = 30;
    std::jthread service([&] {
        for (int i = 0; i < kEach; ++i)
            writer.Exchange(CMD_SEND_MESSAGE,
                            Record({{"message", "s" + Id(i)}, {"userid", Id(ala)}}));
    });
    for (int i = 0; i < kEach; ++i)
        ASSERT_EQ(Admin(server, {"send-message", "--from", Id(ola), "--to", Id(ala), "--text",
                                 "a" + Id(i)}),
                  0);
    service.join();

    ASSERT_TRUE(LoginMember(client, ala, "haslo"));
    int fetched = 0;
    while (client.Exchange(CMD_FETCH_MESSAGE, CParamRecord()).code == 2000)
        ++fetched;
    EXPECT_EQ(fetched, 2 * kEach);
}

} // namespace
} // namespace murmex::test
