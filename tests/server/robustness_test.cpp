#include "protocol/command_codes.h"
#include "server/account_table.h"
#include "server/database.h"
#include "server/server_harness.h"

#include <gtest/gtest.h>
#include <latch>
#include <set>
#include <thread>

namespace murmex::test {
namespace {

std::string Id(int id) {
    return std::to_string(id);
}

class WireRobustness : public ::testing::Test {
protected:
    CTestServer server;
    CWireClient client{server.Port()};
};

TEST_F(WireRobustness, GreetingIsExactlyASuccessCodeAndABlank) {
    ASSERT_TRUE(client.SendRaw("1010\r\n"));
    std::string line;
    ASSERT_TRUE(client.ReadLine(line));
    EXPECT_EQ(line, "2000 ");
}

TEST_F(WireRobustness, MalformedLinesAreAnsweredAndTheConnectionGoesOn) {
    for (const char* bad : {"garbage", "", " 1010", "1030userid=\"1\"", "-1 ", "\x01\x02\x03"}) {
        ASSERT_TRUE(client.SendRaw(std::string(bad) + "\r\n"));
        std::string line;
        ASSERT_TRUE(client.ReadLine(line)) << bad;
        EXPECT_EQ(line, "4000 ") << bad;
    }
    EXPECT_EQ(client.Exchange(9999).code, 4002);
    // Half-written records are read as far as they make sense, never as a crash.
    ASSERT_TRUE(client.SendRaw("1090 nick=\"ala email=\r\n"));
    std::string line;
    ASSERT_TRUE(client.ReadLine(line));
    EXPECT_EQ(line, "4000 ");
    EXPECT_EQ(client.Exchange(CMD_HELLO).code, 2000);
}

TEST_F(WireRobustness, PipelinedRequestsAreAnsweredInOrder) {
    ASSERT_NE(RegisterMember(client, "ala", "a@x.pl", "p"), 0);
    // Bare LF ends a line too; all three arrive in one segment.
    ASSERT_TRUE(client.SendRaw(
        "1090 nick=\"ala\" email=\"a@x.pl\" \n1010\r\n1090 nick=\"x\" email=\"y\" \r\n"));
    std::string first, second, third;
    ASSERT_TRUE(client.ReadLine(first));
    ASSERT_TRUE(client.ReadLine(second));
    ASSERT_TRUE(client.ReadLine(third));
    EXPECT_EQ(first.substr(0, 5), "2000 ");
    EXPECT_EQ(second, "2000 ");
    EXPECT_EQ(third, "4004 ");
}

TEST_F(WireRobustness, PolishLettersTravelInTheWireCodePageAndAreStoredAsUtf8) {
    // "Łąka Ścieżka Źdźbło" as the client puts it on the wire (ISO-8859-2).
    const std::string wireNick = "\xA3\xB1ka \xA6"
                                 "cie\xBFka \xAC"
                                 "d\xBC"
                                 "b\xB3o";
    ASSERT_TRUE(
        client.SendRaw("1020 nick=\"" + wireNick + "\" email=\"l@x.pl\" password=\"p\" \r\n"));
    std::string line;
    ASSERT_TRUE(client.ReadLine(line));
    SWireReply registered = ParseReply(line);
    ASSERT_EQ(registered.code, 2000);
    const int qid = registered.record.GetInt("userid");

    CDatabase db;
    ASSERT_TRUE(db.Open(server.DatabasePath()));
    SAccount account;
    ASSERT_EQ(CAccountTable(db).Load(qid, account), EStore::Ok);
    EXPECT_EQ(account.nick, "Łąka Ścieżka Źdźbło");

    ASSERT_TRUE(client.SendRaw("1110 userid=\"" + Id(qid) + "\" \r\n"));
    ASSERT_TRUE(client.ReadLine(line));
    EXPECT_EQ(line.rfind("2000 nick=\"" + wireNick + "\" ", 0), 0u) << line;

    // Through the client engine the record holds the client's own code page.
    auto engine = server.Connect();
    ASSERT_TRUE(engine);
    CParamRecord find = Record({{"nick", W("Łąka Ścieżka Źdźbło")}, {"email", "l@x.pl"}});
    ASSERT_TRUE(engine->ExecuteCommand(CMD_FIND_USER, &find));
    EXPECT_EQ(find.GetInt("userid"), qid);
}

TEST_F(WireRobustness, AnOverLongLineIsRefusedAndItsConnectionClosed) {
    CWireClient bystander(server.Port());
    ASSERT_EQ(bystander.Exchange(CMD_HELLO).code, 2000);

    ASSERT_TRUE(client.SendRaw("1370 text=\"" + std::string(70 * 1024, 'a')));
    std::string line;
    ASSERT_TRUE(client.ReadLine(line));
    EXPECT_EQ(line, "4013 ");
    EXPECT_TRUE(client.WaitClosed());

    CWireClient withEnd(server.Port());
    ASSERT_TRUE(withEnd.SendRaw(std::string(64 * 1024 + 1, '1') + "\r\n1010\r\n"));
    ASSERT_TRUE(withEnd.ReadLine(line));
    EXPECT_EQ(line, "4013 ");
    EXPECT_TRUE(withEnd.WaitClosed());

    EXPECT_EQ(bystander.Exchange(CMD_HELLO).code, 2000);
    // A long line within the limit is fine: values are cut, not refused.
    CWireClient longButFine(server.Port());
    ASSERT_TRUE(longButFine.SendRaw("1010 x=\"" + std::string(60 * 1024, 'b') + "\" \r\n"));
    ASSERT_TRUE(longButFine.ReadLine(line));
    EXPECT_EQ(line, "2000 ");
}

TEST_F(WireRobustness, StalledClientsHoldUpNobodyElse) {
    // One stops half-way through a line, another sends request after request
    // and never reads an answer, until both directions are full.
    CWireClient halfLine(server.Port());
    ASSERT_TRUE(halfLine.SendRaw("1090 nick=\"al"));
    CWireClient deaf(server.Port());
    std::string flood;
    for (int i = 0; i < 20000; ++i)
        flood += "1010\r\n";
    std::size_t pushed = 0;
    for (int round = 0; round < 50; ++round)
        pushed += deaf.SendWithoutWaiting(flood);
    EXPECT_GT(pushed, 0u);

    const int qid = RegisterMember(client, "ala", "a@x.pl", "p");
    ASSERT_NE(qid, 0);
    ASSERT_TRUE(LoginMember(client, qid, "p"));
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).code, 2000);
    auto engine = server.Connect();
    ASSERT_TRUE(engine);

    // The half line, once finished, is answered as if nothing had happened.
    ASSERT_TRUE(halfLine.SendRaw("a\" email=\"a@x.pl\" \r\n"));
    std::string line;
    ASSERT_TRUE(halfLine.ReadLine(line));
    EXPECT_EQ(line, "2000 userid=\"" + Id(qid) + "\" ");
}

TEST(ServerLimits, IdleConnectionsAreClosedAfterTheTimeout) {
    CTestServer server([](SServerSettings& s) { s.idleTimeout = std::chrono::milliseconds(1000); });
    CWireClient client(server.Port());
    ASSERT_EQ(client.Exchange(CMD_HELLO).code, 2000);
    server.Clock().AdvanceMs(600);
    ASSERT_EQ(client.Exchange(CMD_HELLO).code, 2000);
    server.Clock().AdvanceMs(600);
    // 1200 ms since it connected, but only 600 since it spoke.
    ASSERT_EQ(client.Exchange(CMD_HELLO).code, 2000);
    server.Clock().AdvanceMs(1001);
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_TRUE(WaitFor([&] { return server.Server().ConnectionCount() == 0; }));
}

TEST(ServerLimits, ConnectionsBeyondTheCapAreToldAndClosed) {
    CTestServer server([](SServerSettings& s) { s.maxConnections = 2; });
    CWireClient first(server.Port()), second(server.Port());
    ASSERT_EQ(first.Exchange(CMD_HELLO).code, 2000);
    ASSERT_EQ(second.Exchange(CMD_HELLO).code, 2000);
    CWireClient third(server.Port());
    std::string line;
    ASSERT_TRUE(third.ReadLine(line));
    EXPECT_EQ(line, "5003 ");
    EXPECT_TRUE(third.WaitClosed());
    first.Close();
    ASSERT_TRUE(WaitFor([&] { return server.Server().ConnectionCount() == 1; }));
    CWireClient fourth(server.Port());
    EXPECT_EQ(fourth.Exchange(CMD_HELLO).code, 2000);
}

TEST(ServerLimits, StopClosesEveryConnectionAndTheServerCanStartAgain) {
    auto server = std::make_unique<CTestServer>();
    std::vector<std::unique_ptr<CWireClient>> clients;
    const int qid = [&] {
        CWireClient registrar(server->Port());
        return RegisterMember(registrar, "ala", "a@x.pl", "p");
    }();
    for (int i = 0; i < 5; ++i) {
        clients.push_back(std::make_unique<CWireClient>(server->Port()));
        ASSERT_TRUE(LoginMember(*clients.back(), qid, "p"));
    }
    ASSERT_TRUE(clients[0]->SendRaw("1090 nick=\"half"));
    server->Server().Stop();
    for (auto& client : clients)
        EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(server->Server().ConnectionCount(), 0);
    // Started again on the same database, everything is still there.
    ASSERT_TRUE(server->Server().Start()) << server->Server().LastError();
    CWireClient again(server->Server().Port());
    EXPECT_TRUE(LoginMember(again, qid, "p"));
}

TEST(ServerLoad, ThreeHundredClientEnginesAtOnce) {
    CTestServer server;
    constexpr int kMembers = 10;
    constexpr int kConnections = 300;
    constexpr int kThreads = 20;
    std::vector<int> members;
    {
        CWireClient registrar(server.Port());
        for (int i = 0; i < kMembers; ++i)
            members.push_back(RegisterMember(registrar, "m" + Id(i), "m" + Id(i) + "@x.pl", "p"));
    }

    std::vector<std::unique_ptr<CRequestEngine>> engines(kConnections);
    std::latch connected(kThreads), sent(kThreads);
    std::mutex mutex;
    std::multiset<std::string> fetched;
    std::atomic<int> failures{0};
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const int first = t * (kConnections / kThreads);
            const int last = first + kConnections / kThreads;
            for (int i = first; i < last; ++i) {
                engines[static_cast<std::size_t>(i)] = server.Connect();
                CParamRecord login =
                    Record({{"userid", Id(members[static_cast<std::size_t>(i % kMembers)])},
                            {"password", "p"}});
                if (!engines[static_cast<std::size_t>(i)] ||
                    !engines[static_cast<std::size_t>(i)]->ExecuteCommand(CMD_LOGIN, &login))
                    ++failures;
            }
            connected.arrive_and_wait(); // all 300 are open at once from here
            for (int i = first; i < last && !failures; ++i) {
                CParamRecord send =
                    Record({{"message", "od " + Id(i)},
                            {"userid", Id(members[static_cast<std::size_t>(i % kMembers)])}});
                if (!engines[static_cast<std::size_t>(i)]->ExecuteCommand(CMD_SEND_MESSAGE, &send))
                    ++failures;
            }
            sent.arrive_and_wait();
            for (int i = first; i < last && !failures; ++i) {
                CParamRecord fetch;
                while (engines[static_cast<std::size_t>(i)]->ExecuteCommand(CMD_FETCH_MESSAGE,
                                                                            &fetch)) {
                    std::lock_guard lock(mutex);
                    fetched.insert(fetch.Get("msg"));
                }
                if (!engines[static_cast<std::size_t>(i)]->IsConnected())
                    ++failures;
            }
        });
    }
    threads.clear();
    ASSERT_EQ(failures, 0);
    EXPECT_EQ(server.Server().ConnectionCount(), kConnections);
    ASSERT_EQ(fetched.size(), static_cast<std::size_t>(kConnections));
    for (int i = 0; i < kConnections; ++i)
        EXPECT_EQ(fetched.count("od " + Id(i)), 1u) << i;
}

} // namespace
} // namespace murmex::test

namespace murmex::test {
namespace {

// Verifies like the real one, but only once the test opens the gate.
class CGatedHasher final : public CPasswordHasher {
public:
    CGatedHasher() : CPasswordHasher(ECost::Fast) {}
    bool Verify(const std::string& hash, std::string_view password) const override {
        ++waiting;
        gate.wait();
        return CPasswordHasher::Verify(hash, password);
    }
    mutable std::atomic<int> waiting{0};
    mutable std::latch gate{1};
};

TEST(ServerLoad, LoginsStuckInPasswordChecksHoldUpNoQuickCommand) {
    CGatedHasher hasher;
    CTestServer server([&](SServerSettings& s) {
        s.hasher = &hasher;
        s.hashWorkers = 2;
    });
    CWireClient registrar(server.Port());
    const int qid = RegisterMember(registrar, "ala", "a@x.pl", "p");
    ASSERT_NE(qid, 0);

    // More logins than password workers: all of them wait at the gate or behind it.
    std::vector<std::unique_ptr<CWireClient>> slow;
    for (int i = 0; i < 4; ++i) {
        slow.push_back(std::make_unique<CWireClient>(server.Port()));
        ASSERT_TRUE(slow.back()->SendRaw("1030 userid=\"" + std::to_string(qid) +
                                         "\" password=\"p\" \r\n"));
    }
    ASSERT_TRUE(WaitFor([&] { return hasher.waiting == 2; }));

    CWireClient quick(server.Port());
    EXPECT_EQ(quick.Exchange(CMD_FIND_USER, Record({{"nick", "ala"}, {"email", "a@x.pl"}})).code,
              2000);
    EXPECT_EQ(quick.Exchange(CMD_HELLO).code, 2000);

    hasher.gate.count_down();
    for (auto& client : slow) {
        std::string line;
        ASSERT_TRUE(client->ReadLine(line));
        EXPECT_EQ(line, "2000 ");
    }
}

} // namespace
} // namespace murmex::test
