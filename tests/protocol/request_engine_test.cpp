#include "protocol/request_engine.h"
#include "storage/options.h"
#include "support/fake_peer.h"
#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace murmex {
namespace {

using namespace std::chrono_literals;
using test::CFakePeer;

SEngineSettings QuickSettings(std::uint16_t port) {
    SEngineSettings s;
    s.port = port;
    s.connectWait = 2000ms;
    s.writeWait = 2000ms;
    s.readWait = 300ms;
    s.lockWait = 2000ms;
    return s;
}

class RequestEngineTest : public ::testing::Test {
protected:
    RequestEngineTest() : engine(QuickSettings(peer.Port())) {
        engine.SetAddressSource([this] { return server; });
    }

    void ConnectWithGreeting(const std::string& greeting = "2000 \r\n") {
        peer.Reply(greeting);
        ASSERT_TRUE(engine.Connect());
    }

    std::string server = "127.0.0.1"; // what the application reads from "Server"
    CFakePeer peer;
    CRequestEngine engine;
};

TEST_F(RequestEngineTest, GreetingIsSentWithoutParameterPartAndAnyPositiveCodeConnects) {
    for (const char* greeting : {"1000 hi\r\n", "5000 \r\n", "2000 \r\n"}) {
        CFakePeer p;
        CRequestEngine e(QuickSettings(p.Port()));
        p.Reply(greeting);
        EXPECT_TRUE(e.Connect()) << greeting;
        EXPECT_TRUE(e.IsConnected());
        EXPECT_TRUE(e.Connect()); // already connected: no new connection
        EXPECT_EQ(p.Connections(), 1);
        ASSERT_EQ(p.Requests().size(), 1u);
        EXPECT_EQ(p.Requests()[0], "1010\r\n");
    }
}

TEST_F(RequestEngineTest, GreetingWithoutNumberOrSilenceDoesNotConnect) {
    peer.Reply("hello\r\n");
    EXPECT_FALSE(engine.Connect());
    EXPECT_FALSE(engine.IsConnected());

    peer.Script({{}, false, true}); // accepts, never answers
    EXPECT_FALSE(engine.Connect());
    EXPECT_FALSE(engine.IsConnected());
}

TEST_F(RequestEngineTest, ServerAddressMustBeDottedDecimal) {
    for (const char* bad : {"localhost", "127.0.0", "127.0.0.1.5", "256.1.1.1", "", " 127.0.0.1"}) {
        server = bad;
        EXPECT_FALSE(engine.Connect()) << bad;
    }
    EXPECT_EQ(peer.Connections(), 0);
    server = "127.0.0.1";
    ConnectWithGreeting();
}

TEST_F(RequestEngineTest, AddressComesFromTheSettingsOrTheBuiltInDefault) {
    SEngineSettings s = QuickSettings(peer.Port());
    s.serverAddress = [] { return std::string("not an address"); };
    CRequestEngine configured(s);
    EXPECT_FALSE(configured.Connect());

    CRequestEngine builtIn(QuickSettings(peer.Port()));
    peer.Reply("2000 \r\n");
    EXPECT_EQ(builtIn.Connect(), CRequestEngine::DefaultServerAddress() == "127.0.0.1");
}

TEST_F(RequestEngineTest, ConnectionRefusedFails) {
    std::uint16_t closedPort;
    {
        CFakePeer gone;
        closedPort = gone.Port();
    }
    CRequestEngine e(QuickSettings(closedPort));
    EXPECT_FALSE(e.Connect());
    EXPECT_FALSE(e.IsConnected());
}

TEST_F(RequestEngineTest, RequestLinesAndResponseInPieces) {
    ConnectWithGreeting();
    peer.Script({{"20", "00 useri", "d=\"7\" nick=\"a", "b\" \r", "\n"}, false, false});
    CParamRecord record;
    record.AddInt("userid", 7);
    ASSERT_TRUE(engine.ExecuteCommandInline(CMD_GET_USER, &record));
    EXPECT_EQ(record.Get("userid"), "7");
    EXPECT_EQ(record.Get("nick"), "ab");

    CParamRecord empty;
    EXPECT_TRUE(engine.ExecuteCommandInline(CMD_GET_FRIENDS, &empty));
    EXPECT_TRUE(engine.ExecuteCommandInline(CMD_LOGOUT, nullptr));
    auto requests = peer.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1], "1110 userid=\"7\" \r\n");
    EXPECT_EQ(requests[2], "1280 \r\n");
    EXPECT_EQ(requests[3], "1031\r\n");
}

TEST_F(RequestEngineTest, SuccessWithoutEntriesAndFailureCodesLeaveRecordEmpty) {
    ConnectWithGreeting();
    CParamRecord record;
    record.AddText("name", "x");
    peer.Reply("2000 \r\n");
    EXPECT_TRUE(engine.ExecuteCommandInline(CMD_FIND_CHANNEL, &record));
    EXPECT_TRUE(record.Empty());

    record.AddText("name", "x");
    peer.Reply("4001 chanid=\"5\" \r\n");
    EXPECT_FALSE(engine.ExecuteCommandInline(CMD_FIND_CHANNEL, &record));
    EXPECT_TRUE(record.Empty());

    record.AddText("name", "x");
    peer.Reply("oops chanid=\"5\" \r\n");
    EXPECT_FALSE(engine.ExecuteCommandInline(CMD_FIND_CHANNEL, &record));
    EXPECT_TRUE(record.Empty());
    EXPECT_TRUE(engine.IsConnected()); // a refusal is not a transport failure

    EXPECT_TRUE(CRequestEngine::IsSuccess(2000));
    EXPECT_TRUE(CRequestEngine::IsSuccess(2999));
    EXPECT_FALSE(CRequestEngine::IsSuccess(1999));
    EXPECT_FALSE(CRequestEngine::IsSuccess(3000));
}

TEST_F(RequestEngineTest, SilentPeerLeavesClientDisconnectedAndLoggedOut) {
    ConnectWithGreeting();
    engine.SetLoggedIn(true);
    engine.SetCurrentQid(42);
    EXPECT_EQ(engine.CurrentQid(), 42);

    peer.Script({{}, false, true});
    CParamRecord record;
    EXPECT_FALSE(engine.ExecuteCommandInline(CMD_FETCH_MESSAGE, &record));
    EXPECT_FALSE(engine.IsConnected());
    EXPECT_FALSE(engine.IsLoggedIn());
    EXPECT_EQ(engine.CurrentQid(), 0);

    // Every later exchange fails at once, without traffic, until the next connect.
    const auto before = peer.Requests().size();
    EXPECT_FALSE(engine.ExecuteCommandInline(CMD_FETCH_MESSAGE, &record));
    EXPECT_EQ(peer.Requests().size(), before);
}

TEST_F(RequestEngineTest, PeerClosingMidResponseIsATransportFailure) {
    ConnectWithGreeting();
    engine.SetLoggedIn(true);
    peer.Script({{"2000 userid=\"1"}, true, false});
    CParamRecord record;
    EXPECT_FALSE(engine.ExecuteCommandInline(CMD_GET_USER, &record));
    EXPECT_TRUE(record.Empty());
    EXPECT_FALSE(engine.IsConnected());
    EXPECT_FALSE(engine.IsLoggedIn());

    // The login paths connect again.
    peer.Reply("2000 \r\n");
    EXPECT_TRUE(engine.Connect());
    EXPECT_EQ(peer.Connections(), 2);
}

TEST_F(RequestEngineTest, EndlessLineWithoutLineEndIsCut) {
    SEngineSettings s = QuickSettings(peer.Port());
    s.responseCap = 4096;
    CRequestEngine capped(s);
    peer.Reply("2000 \r\n");
    ASSERT_TRUE(capped.Connect());
    peer.Script({{"2000 x=\"" + std::string(5000, 'a'), std::string(5000, 'b')}, false, false});
    CParamRecord record;
    EXPECT_FALSE(capped.ExecuteCommandInline(CMD_GET_USER, &record));
    EXPECT_FALSE(capped.IsConnected());
}

TEST_F(RequestEngineTest, PolishLettersBothWays) {
    ConnectWithGreeting();
    // On the wire ą ś ź are ISO-8859-2: B1 B6 BC.
    peer.Reply("2000 msg=\"\xB1\xB6\xBC\xEA\" \r\n");
    CParamRecord record;
    record.AddText("message", "\xB9\x9C\x9F\xEA"); // ą ś ź ę in Windows-1250
    ASSERT_TRUE(engine.ExecuteCommandInline(CMD_SEND_MESSAGE, &record));
    EXPECT_EQ(peer.Requests().back(), "1080 message=\"\xB1\xB6\xBC\xEA\" \r\n");
    EXPECT_EQ(record.Get("msg"), "\xB9\x9C\x9F\xEA");

    // A failure response is never converted nor read.
    peer.Reply("4000 msg=\"\xB1\" \r\n");
    EXPECT_FALSE(engine.ExecuteCommandInline(CMD_SEND_MESSAGE, &record));
    EXPECT_TRUE(record.Empty());
}

TEST_F(RequestEngineTest, UiModeRunsOnAWorkerWhileTheHostLoopTurns) {
    // The host loop records that it was asked to wait and that it was woken.
    class CCountingLoop final : public IWaitLoop {
    public:
        void RunUntilDone(const std::function<bool()>& done) override {
            ++runs;
            inner.RunUntilDone(done);
        }
        void Wake() override {
            ++wakes;
            inner.Wake();
        }
        std::atomic<int> runs{0}, wakes{0};
        CBlockingWaitLoop inner;
    } loop;

    engine.SetHostWindow(&loop);
    engine.SetUiThread(std::this_thread::get_id());
    ConnectWithGreeting();
    EXPECT_EQ(loop.runs, 1);
    EXPECT_EQ(loop.wakes, 1);

    peer.Reply("2000 chanid=\"9\" \r\n");
    CParamRecord record;
    record.AddText("name", "kanal");
    ASSERT_TRUE(engine.ExecuteCommand(CMD_FIND_CHANNEL, &record));
    EXPECT_EQ(record.Get("chanid"), "9");
    EXPECT_EQ(loop.runs, 2);

    // From another thread the same call runs inline, without the host loop.
    std::thread other([&] {
        CParamRecord r;
        r.AddText("name", "kanal");
        EXPECT_TRUE(engine.ExecuteCommand(CMD_FIND_CHANNEL, &r));
    });
    other.join();
    EXPECT_EQ(loop.runs, 2);
}

TEST_F(RequestEngineTest, RequestLockSerialisesThreads) {
    ConnectWithGreeting();
    constexpr int kThreads = 4, kEach = 25;
    std::atomic<int> ok{0};
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < kEach; ++i) {
                    CParamRecord r;
                    r.AddInt("userid", t * 1000 + i);
                    if (engine.ExecuteCommandInline(CMD_GET_STATUS, &r))
                        ++ok;
                }
            });
    }
    EXPECT_EQ(ok, kThreads * kEach);
    // Every request arrived whole: no two exchanges interleaved on the wire.
    auto requests = peer.Requests();
    ASSERT_EQ(requests.size(), 1u + kThreads * kEach);
    for (std::size_t i = 1; i < requests.size(); ++i)
        EXPECT_EQ(requests[i].rfind("1290 userid=\"", 0), 0u) << requests[i];
}

TEST_F(RequestEngineTest, AbortUnblocksAWaitingExchange) {
    SEngineSettings s = QuickSettings(peer.Port());
    s.readWait = 60000ms;
    CRequestEngine slow(s);
    peer.Reply("2000 \r\n");
    ASSERT_TRUE(slow.Connect());
    peer.Script({{}, false, true});
    std::atomic<bool> done{false};
    std::jthread worker([&] {
        CParamRecord r;
        EXPECT_FALSE(slow.ExecuteCommandInline(CMD_FETCH_MESSAGE, &r));
        done = true;
    });
    ASSERT_TRUE(peer.WaitForRequests(2));
    slow.Abort();
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_FALSE(slow.IsConnected());
}

} // namespace
} // namespace murmex
