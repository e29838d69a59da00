// A waiting message leaves the queue only once its recipient's client has
// shown that it read the answer carrying it, by sending its next request on
// the same connection. Clients that vanish right after a fetch lose nothing.
#include "protocol/command_codes.h"
#include "server/database.h"
#include "server/server_harness.h"

#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <thread>

namespace murmex::test {
namespace {

std::string Id(int qid) {
    return std::to_string(qid);
}

class Delivery : public ::testing::Test {
protected:
    void SetUp() override {
        CWireClient setup(server.Port());
        reader = RegisterMember(setup, "czyta", "czyta@x.pl", "p");
        writer = RegisterMember(setup, "pisze", "pisze@x.pl", "p");
        ASSERT_TRUE(reader && writer);
    }

    void Queue(int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(Admin(server, {"send-message", "--from", Id(writer), "--to", Id(reader),
                                     "--text", "m" + Id(i)}),
                      0);
    }

    int Waiting() {
        CDatabase db;
        EXPECT_TRUE(db.Open(server.DatabasePath()));
        CStatement query = db.Query("SELECT count(*) FROM messages");
        return query.Step() == CStatement::EStep::Row ? static_cast<int>(query.Int(0)) : -1;
    }

    // Every message a fresh connection can fetch now, in order.
    std::vector<std::string> FetchAll() {
        CWireClient client(server.Port());
        std::vector<std::string> texts;
        if (!LoginMember(client, reader, "p"))
            return texts;
        for (;;) {
            SWireReply reply = client.Exchange(CMD_FETCH_MESSAGE, CParamRecord());
            if (reply.code != 2000)
                return texts;
            texts.push_back(reply.record.Get("msg"));
        }
    }

    int Claimed() {
        CDatabase db;
        EXPECT_TRUE(db.Open(server.DatabasePath()));
        CStatement query = db.Query("SELECT count(*) FROM messages WHERE claim_instance <> 0");
        return query.Step() == CStatement::EStep::Row ? static_cast<int>(query.Int(0)) : -1;
    }

    // Every connection gone, and what they held given back (a worker does
    // that just after the close).
    bool AllClosed() {
        return WaitFor([this] { return server.Server().ConnectionCount() == 0; }) &&
               WaitFor([this] { return Claimed() == 0; });
    }

    CTestServer server;
    int reader = 0;
    int writer = 0;
};

enum class EVanish { CloseUnread, ResetUnread, CloseAfterReading, ResetAfterReading };

class VanishingClients : public Delivery, public ::testing::WithParamInterface<EVanish> {};

TEST_P(VanishingClients, LoseNoMessage) {
    constexpr int kClients = 50;
    Queue(kClients);
    const EVanish how = GetParam();
    {
        std::vector<std::jthread> clients;
        for (int i = 0; i < kClients; ++i)
            clients.emplace_back([&] {
                CWireClient client(server.Port());
                if (!LoginMember(client, reader, "p"))
                    return;
                const std::string fetch = std::to_string(CMD_FETCH_MESSAGE) + " \r\n";
                client.SendRaw(fetch);
                if (how == EVanish::CloseAfterReading || how == EVanish::ResetAfterReading) {
                    std::string line;
                    client.ReadLine(line);
                }
                if (how == EVanish::ResetUnread || how == EVanish::ResetAfterReading)
                    client.Reset();
                else
                    client.Close();
            });
    }
    ASSERT_TRUE(AllClosed());
    EXPECT_EQ(Waiting(), kClients);
    const std::vector<std::string> texts = FetchAll();
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(kClients));
    EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(),
              static_cast<std::size_t>(kClients));
}

INSTANTIATE_TEST_SUITE_P(AfterAFetch, VanishingClients,
                         ::testing::Values(EVanish::CloseUnread, EVanish::ResetUnread,
                                           EVanish::CloseAfterReading, EVanish::ResetAfterReading));

TEST_F(Delivery, TheClientsFetchLoopTakesEachMessageOnce) {
    Queue(5);
    const std::vector<std::string> texts = FetchAll();
    EXPECT_EQ(texts, (std::vector<std::string>{"m0", "m1", "m2", "m3", "m4"}));
    // The loop's closing fetch (answered 4004) acknowledged the last one.
    ASSERT_TRUE(AllClosed());
    EXPECT_EQ(Waiting(), 0);
    EXPECT_TRUE(FetchAll().empty());
}

TEST_F(Delivery, AnyNextRequestAcknowledgesAndAGiveUpLeavesTheMessage) {
    Queue(2);
    CWireClient client(server.Port());
    ASSERT_TRUE(LoginMember(client, reader, "p"));
    ASSERT_EQ(client.Exchange(CMD_FETCH_MESSAGE, CParamRecord()).record.Get("msg"), "m0");
    EXPECT_EQ(Waiting(), 2); // read, but the client has not said so yet
    ASSERT_EQ(client.Exchange(CMD_GET_FRIENDS, CParamRecord()).code, 2000);
    EXPECT_EQ(Waiting(), 1);
    ASSERT_EQ(client.Exchange(CMD_FETCH_MESSAGE, CParamRecord()).record.Get("msg"), "m1");
    // While this connection holds m1, no other connection is handed it...
    EXPECT_TRUE(FetchAll().empty());
    // ...and once it is gone without another word, m1 comes again.
    client.Close();
    ASSERT_TRUE(AllClosed());
    EXPECT_EQ(FetchAll(), (std::vector<std::string>{"m1"}));
}

TEST_F(Delivery, ARequestSentBeforeTheAnswerAcknowledgesNothing) {
    Queue(2);
    CWireClient client(server.Port());
    ASSERT_TRUE(LoginMember(client, reader, "p"));
    // Two fetches in one write: the second was on its way before the first
    // answer existed, so it says nothing about that answer having been read.
    const std::string fetch = std::to_string(CMD_FETCH_MESSAGE) + " \r\n";
    ASSERT_TRUE(client.SendRaw(fetch + fetch));
    std::string line;
    ASSERT_TRUE(client.ReadLine(line));
    ASSERT_TRUE(client.ReadLine(line));
    client.Close();
    ASSERT_TRUE(AllClosed());
    EXPECT_EQ(FetchAll(), (std::vector<std::string>{"m0", "m1"}));
}

TEST(DatabaseFiles, AreReadableByTheOwnerOnlyWhateverTheUmask) {
    const mode_t old = ::umask(0);
    CTempDataDir dir;
    const std::string path = dir.File("murmexd.db");
    {
        CDatabase db;
        ASSERT_TRUE(db.Open(path));
        ASSERT_TRUE(db.Exec("INSERT INTO feedback (sender, text, created) VALUES (1, 'x', 0)"));
        for (const char* suffix : {"", "-wal", "-shm"}) {
            struct stat info {};
            ASSERT_EQ(::stat((path + suffix).c_str(), &info), 0) << suffix;
            EXPECT_EQ(info.st_mode & 0777, 0600u) << suffix;
        }
    }
    // A file an older server left open to everybody is narrowed on opening.
    ::chmod(path.c_str(), 0644);
    {
        CDatabase db;
        ASSERT_TRUE(db.Open(path));
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
    ::umask(old);
}

} // namespace
} // namespace murmex::test
