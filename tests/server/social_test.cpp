#include "protocol/command_codes.h"
#include "server/database.h"
#include "server/server_harness.h"
#include "server/sms_outbox.h"
#include "server/user_search.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace murmex::test {
namespace {

using Names_t = std::vector<std::string>;

std::string Id(int qid) {
    return std::to_string(qid);
}

class SocialCommands : public ::testing::Test {
protected:
    void SetUp() override {
        me = RegisterMember(client, "ja", "ja@x.pl", "p");
        ASSERT_TRUE(LoginMember(client, me, "p"));
    }

    std::vector<SSmsRecord> Outbox() {
        CDatabase db;
        EXPECT_TRUE(db.Open(server.DatabasePath()));
        std::vector<SSmsRecord> all;
        EXPECT_EQ(CSmsOutbox(db).All(all), EStore::Ok);
        return all;
    }

    int Count(const char* table) {
        CDatabase db;
        EXPECT_TRUE(db.Open(server.DatabasePath()));
        CStatement query = db.Query(std::string("SELECT count(*) FROM ") + table);
        return query.Step() == CStatement::EStep::Row ? static_cast<int>(query.Int(0)) : -1;
    }

    CTestServer server;
    CWireClient client{server.Port()};
    int me = 0;
};

TEST_F(SocialCommands, FriendListIsTheMembersOwnOrderedList) {
    const int a = RegisterMember(client, "a", "a@x.pl", "p");
    const int b = RegisterMember(client, "b", "b@x.pl", "p");
    auto engine = server.Connect();
    ASSERT_TRUE(engine);
    CParamRecord login = Record({{"userid", Id(me)}, {"password", "p"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));

    for (int qid : {b, a, b}) {
        CParamRecord add = Record({{"userid", Id(qid)}});
        EXPECT_TRUE(engine->ExecuteCommand(CMD_ADD_FRIEND, &add)) << "adding twice is no error";
    }
    CParamRecord friends;
    ASSERT_TRUE(engine->ExecuteCommand(CMD_GET_FRIENDS, &friends));
    EXPECT_EQ(Names(friends), Names_t{"friends"});
    EXPECT_EQ(friends.Get("friends"), Id(b) + "," + Id(a));

    // One-way: b's list stays empty.
    CWireClient other(server.Port());
    ASSERT_TRUE(LoginMember(other, b, "p"));
    EXPECT_EQ(other.Exchange(CMD_GET_FRIENDS, CParamRecord()).record.Get("friends"), "");

    EXPECT_EQ(client.Exchange(CMD_ADD_FRIEND, Record({{"userid", Id(me)}})).code, 4003);
    EXPECT_EQ(client.Exchange(CMD_ADD_FRIEND, Record({{"userid", "999999"}})).code, 4004);
    EXPECT_EQ(client.Exchange(CMD_ADD_FRIEND, Record({{"userid", "x"}})).code, 4000);

    CParamRecord remove = Record({{"userid", Id(b)}});
    EXPECT_TRUE(engine->ExecuteCommand(CMD_REMOVE_FRIEND, &remove));
    EXPECT_EQ(client.Exchange(CMD_REMOVE_FRIEND, Record({{"userid", Id(b)}})).code, 4004);
    EXPECT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).record.Get("friends"), Id(a));
}

TEST_F(SocialCommands, RemovingAFriendForgetsTheNoticesAboutThem) {
    const int a = RegisterMember(client, "a", "a@x.pl", "p");
    ASSERT_EQ(client.Exchange(CMD_ADD_FRIEND, Record({{"userid", Id(a)}})).code, 2000);
    ASSERT_EQ(
        client
            .Exchange(CMD_SET_NOTIFY, Record({{"userid", Id(a)}, {"method", "3"}, {"action", "1"}}))
            .code,
        2000);
    ASSERT_EQ(client.Exchange(CMD_REMOVE_FRIEND, Record({{"userid", Id(a)}})).code, 2000);
    ASSERT_EQ(client.Exchange(CMD_ADD_FRIEND, Record({{"userid", Id(a)}})).code, 2000);
    EXPECT_EQ(client.Exchange(CMD_GET_USER, Record({{"userid", Id(a)}})).record.Get("onenter"), "");
}

TEST_F(SocialCommands, ThreeWaitingMessagesGiveThreeFetchesThenAFailure) {
    const int sender = RegisterMember(client, "pisze", "pisze@x.pl", "p");
    auto writer = server.Connect();
    auto reader = server.Connect();
    ASSERT_TRUE(writer && reader);
    CParamRecord login = Record({{"userid", Id(sender)}, {"password", "p"}});
    ASSERT_TRUE(writer->ExecuteCommand(CMD_LOGIN, &login));
    login = Record({{"userid", Id(me)}, {"password", "p"}});
    ASSERT_TRUE(reader->ExecuteCommand(CMD_LOGIN, &login));

    const std::vector<std::string> texts = {W("pierwsza: zażółć gęślą jaźń"),
                                            "druga\r\nw dwóch liniach", "trzecia ~ z tyldą"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        server.Clock().SetWall(1600000000 + static_cast<std::int64_t>(i));
        CParamRecord send = Record({{"message", texts[i]}, {"userid", Id(me)}});
        ASSERT_TRUE(writer->ExecuteCommand(CMD_SEND_MESSAGE, &send));
    }

    // The client repeats the fetch with the same record while it succeeds.
    CParamRecord fetch;
    int fetched = 0;
    while (reader->ExecuteCommand(CMD_FETCH_MESSAGE, &fetch)) {
        ASSERT_LT(fetched, 3);
        EXPECT_EQ(Names(fetch), (Names_t{"sender", "msg", "date"}));
        EXPECT_EQ(fetch.GetInt("sender"), sender);
        EXPECT_EQ(fetch.Get("msg"), texts[static_cast<std::size_t>(fetched)]);
        EXPECT_EQ(fetch.GetInt("date"), 1600000000 + fetched);
        ++fetched;
    }
    EXPECT_EQ(fetched, 3);
    EXPECT_TRUE(reader->IsConnected());
    EXPECT_EQ(client.Exchange(CMD_FETCH_MESSAGE, CParamRecord()).code, 4004);
}

TEST_F(SocialCommands, SendingNeedsARecipientAndAText) {
    EXPECT_EQ(
        client.Exchange(CMD_SEND_MESSAGE, Record({{"message", "hej"}, {"userid", "999999"}})).code,
        4004);
    EXPECT_EQ(client.Exchange(CMD_SEND_MESSAGE, Record({{"message", ""}, {"userid", Id(me)}})).code,
              4000);
    EXPECT_EQ(client.Exchange(CMD_SEND_MESSAGE, Record({{"message", "hej"}})).code, 4000);
    EXPECT_EQ(Count("messages"), 0);
}

TEST_F(SocialCommands, TwoConnectionsOfOneMemberNeverReceiveTheSameMessage) {
    const int sender = RegisterMember(client, "pisze", "pisze@x.pl", "p");
    CWireClient writer(server.Port());
    ASSERT_TRUE(LoginMember(writer, sender, "p"));
    constexpr int kMessages = 40;
    for (int i = 0; i < kMessages; ++i)
        ASSERT_EQ(
            writer.Exchange(CMD_SEND_MESSAGE, Record({{"message", Id(i)}, {"userid", Id(me)}}))
                .code,
            2000);

    std::vector<std::string> received[2];
    std::vector<std::jthread> readers;
    for (auto& list : received) {
        readers.emplace_back([&, target = &list] {
            CWireClient reader(server.Port());
            if (!LoginMember(reader, me, "p"))
                return;
            for (;;) {
                SWireReply reply = reader.Exchange(CMD_FETCH_MESSAGE, CParamRecord());
                if (reply.code != 2000)
                    return;
                target->push_back(reply.record.Get("msg"));
            }
        });
    }
    readers.clear();
    std::multiset<std::string> all(received[0].begin(), received[0].end());
    all.insert(received[1].begin(), received[1].end());
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kMessages));
    for (int i = 0; i < kMessages; ++i)
        EXPECT_EQ(all.count(Id(i)), 1u) << i;
    // Each connection still sees its own share oldest first.
    for (const auto& list : received)
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                                   [](const std::string& x, const std::string& y) {
                                       return std::stoi(x) < std::stoi(y);
                                   }));
}

TEST_F(SocialCommands, SmsGoesToTheOutboxOnlyWithANumberToSendTo) {
    const int withPhone =
        RegisterMember(client, "tel", "tel@x.pl", "p", Record({{"cellphone", "0601000001"}}));
    const int withoutPhone = RegisterMember(client, "bez", "bez@x.pl", "p");

    auto engine = server.Connect();
    ASSERT_TRUE(engine);
    CParamRecord login = Record({{"userid", Id(me)}, {"password", "p"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));
    CParamRecord toMember = Record({{"userid", Id(withPhone)}, {"message", W("cześć")}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_SEND_SMS, &toMember));
    EXPECT_TRUE(toMember.Empty());

    EXPECT_EQ(
        client.Exchange(CMD_SEND_SMS, Record({{"userid", Id(withoutPhone)}, {"message", "x"}}))
            .code,
        4003);
    // A number of the sender's own goes first, also for a member who has one.
    EXPECT_EQ(client
                  .Exchange(CMD_SEND_SMS, Record({{"userid", Id(withoutPhone)},
                                                  {"cellphone", "0602000002"},
                                                  {"message", "lokalny"}}))
                  .code,
              2000);
    // A local contact: the number only, sent twice by the client.
    EXPECT_EQ(client
                  .Exchange(CMD_SEND_SMS, Record({{"cellphone", "+48 603 000 003"},
                                                  {"cellphone", "0603000003"},
                                                  {"message", "kontakt"}}))
                  .code,
              2000);
    EXPECT_EQ(client.Exchange(CMD_SEND_SMS, Record({{"userid", "999999"}, {"message", "x"}})).code,
              4004);
    EXPECT_EQ(
        client.Exchange(CMD_SEND_SMS, Record({{"cellphone", "call me"}, {"message", "x"}})).code,
        4000);
    EXPECT_EQ(client.Exchange(CMD_SEND_SMS, Record({{"cellphone", "0601"}, {"message", ""}})).code,
              4000);
    EXPECT_EQ(client.Exchange(CMD_SEND_SMS, Record({{"message", "x"}})).code, 4000);

    const auto outbox = Outbox();
    ASSERT_EQ(outbox.size(), 3u);
    EXPECT_EQ(outbox[0].phone, "0601000001");
    EXPECT_EQ(outbox[0].recipient, withPhone);
    EXPECT_EQ(outbox[0].sender, me);
    EXPECT_EQ(outbox[0].text, "cześć");
    EXPECT_EQ(outbox[1].phone, "0602000002");
    EXPECT_EQ(outbox[1].recipient, withoutPhone);
    EXPECT_EQ(outbox[2].phone, "+48 603 000 003");
    EXPECT_EQ(outbox[2].recipient, 0);
}

TEST_F(SocialCommands, RecommendationsAndFeedbackAreKept) {
    EXPECT_EQ(client.Exchange(CMD_RECOMMEND, Record({{"email", "kolega@x.pl"}})).code, 2000);
    EXPECT_EQ(client.Exchange(CMD_RECOMMEND, Record({{"email", "nie adres"}})).code, 4000);
    EXPECT_EQ(client.Exchange(CMD_FEEDBACK, Record({{"text", W("Świetny program")}})).code, 2000);
    EXPECT_EQ(client.Exchange(CMD_FEEDBACK, Record({{"text", ""}})).code, 4000);
    EXPECT_EQ(Count("recommendations"), 1);
    EXPECT_EQ(Count("feedback"), 1);
}

class UserSearch : public SocialCommands {
protected:
    void SetUp() override {
        SocialCommands::SetUp();
        const std::int64_t now = server.Clock().WallSeconds();
        ania = RegisterMember(client, "Ania", "ania@x.pl", "p",
                              Record({{"city", W("Łódź")},
                                      {"sex", "2"},
                                      {"born", Id(static_cast<int>(YearsBefore(now, 20)))},
                                      {"language", "1,3"},
                                      {"interestance", "5"},
                                      {"surname", "Nowak"}}));
        bartek = RegisterMember(client, "bartek", "bartek@y.pl", "p",
                                Record({{"city", W("Kraków")},
                                        {"sex", "1"},
                                        {"born", Id(static_cast<int>(YearsBefore(now, 35) + 1))},
                                        {"language", "2"},
                                        {"job", "4"}}));
        hidden = RegisterMember(client, "ukryty", "u@x.pl", "p",
                                Record({{"surname", "Nowak"}, {"restrict_surname", "1"}}));
    }

    std::string Find(std::initializer_list<std::pair<const char*, std::string>> criteria) {
        CParamRecord record = Record({{"nick", ""},
                                      {"email", ""},
                                      {"name", ""},
                                      {"surname", ""},
                                      {"city", ""},
                                      {"age", ""}});
        for (const auto& [name, value] : criteria) {
            CParamRecord replaced;
            bool done = false;
            for (const auto& [n, v] : record.Entries()) {
                replaced.AddText(n, n == name ? value : v);
                done = done || n == name;
            }
            if (!done)
                replaced.AddText(name, value);
            record = replaced;
        }
        SWireReply reply = client.Exchange(CMD_SEARCH_USERS, record);
        return reply.code == 2000 ? reply.record.Get("found") : "failed " + Id(reply.code);
    }

    int ania = 0, bartek = 0, hidden = 0;
};

TEST_F(UserSearch, EmptyCriteriaFindEverybodyButTheSearcher) {
    auto engine = server.Connect();
    ASSERT_TRUE(engine);
    CParamRecord login = Record({{"userid", Id(me)}, {"password", "p"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_LOGIN, &login));
    CParamRecord search = Record(
        {{"nick", ""}, {"email", ""}, {"name", ""}, {"surname", ""}, {"city", ""}, {"age", ""}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_SEARCH_USERS, &search));
    EXPECT_EQ(Names(search), Names_t{"found"});
    EXPECT_EQ(search.Get("found"), Id(ania) + "," + Id(bartek) + "," + Id(hidden));
}

TEST_F(UserSearch, TextsMatchPartsWithoutRegardToCaseAndRestrictedFieldsNeverMatch) {
    EXPECT_EQ(Find({{"nick", "AN"}}), Id(ania));
    EXPECT_EQ(Find({{"email", "@y."}}), Id(bartek));
    EXPECT_EQ(Find({{"city", W("łÓDŹ")}}), Id(ania));
    EXPECT_EQ(Find({{"city", "zzz"}}), "");
    EXPECT_EQ(Find({{"surname", "nowak"}}), Id(ania));
}

TEST_F(UserSearch, AgeRangesCountFromTheBirthTime) {
    EXPECT_EQ(Find({{"age", "19-24"}}), Id(ania));
    EXPECT_EQ(Find({{"age", "20"}}), Id(ania));
    EXPECT_EQ(Find({{"age", "15-18"}}), "");
    // Born a second after the day 35 years ago: still 34.
    EXPECT_EQ(Find({{"age", "30-34"}}), Id(bartek));
    EXPECT_EQ(Find({{"age", "35-"}}), "");
    EXPECT_EQ(Find({{"age", "dużo"}}), "failed 4000");
}

TEST_F(UserSearch, NumbersMatchExactlyAndListsByMembership) {
    EXPECT_EQ(Find({{"sex", "1"}}), Id(bartek));
    EXPECT_EQ(Find({{"sex", "2"}, {"city", W("łódź")}}), Id(ania));
    EXPECT_EQ(Find({{"job", "4"}}), Id(bartek));
    EXPECT_EQ(Find({{"language", "3"}}), Id(ania));
    EXPECT_EQ(Find({{"language", "2"}}), Id(bartek));
    EXPECT_EQ(Find({{"interestance", "5"}}), Id(ania));
    EXPECT_EQ(Find({{"interestance", "55"}}), "");
    EXPECT_EQ(Find({{"sex", "0"}, {"language", "0"}}),
              Id(ania) + "," + Id(bartek) + "," + Id(hidden));
}

TEST_F(UserSearch, ResultsAreCapped) {
    for (int i = 0; i < 110; ++i)
        ASSERT_NE(RegisterMember(client, "tlum" + Id(i), "t" + Id(i) + "@x.pl", "p"), 0);
    std::vector<int> found;
    CParamRecord result;
    result.AddText("found", Find({{"nick", "tlum"}}));
    result.GetIntList("found", found);
    EXPECT_EQ(found.size(), 100u);
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
}

} // namespace
} // namespace murmex::test
