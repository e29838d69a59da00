// The chat page and entering a channel.
#include "channels/chat_page.h"
#include "channels/service_site.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "model/user_record.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "storage/options.h"
#include "support/fake_peer.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace murmex {
namespace {

using test::CFakeShell;

TEST(ChatPage, ElevenLinesWithEveryValueEscaped) {
    SChatPageData d{"a\"b", "<x>&'", "", "kanał", "http://czat.example/", "czat.example"};
    const std::vector<std::string> expected = {
        "<HTML><HEAD><TITLE>Murmex</TITLE></HEAD><BODY>",
        "<CENTER>",
        "<APPLET CODE=\"ChatGUI.class\" ARCHIVE=\"klient.jar\" CODEBASE=\"http://czat.example/\" "
        "width=\"625\" height=\"450\">",
        "<PARAM NAME=\"NICK\" VALUE=\"a&quot;b\">",
        "<PARAM NAME=\"EMAIL\" VALUE=\"&lt;x&gt;&amp;&#39;\">",
        "<PARAM NAME=\"PASS\" VALUE=\"\">",
        "<PARAM NAME=\"SERVER\" VALUE=\"czat.example\">",
        "<PARAM NAME=\"CHANNEL\" VALUE=\"kanał\">",
        "</APPLET>",
        "</CENTER>",
        "</BODY></HTML>",
    };
    EXPECT_EQ(ChatPageLines(d), expected);
}

TEST(ChatPage, WrittenWithCrLfAndReadableByTheOwnerOnly) {
    test::CTempDataDir dir;
    std::string path;
    ASSERT_TRUE(WriteChatPage({"n", "e", "haslo", "c", "http://h/", "h"}, path));
    EXPECT_EQ(path, dir.File("chat.html"));
    const std::string text = dir.ReadFile("chat.html");
    EXPECT_EQ(text.rfind("<HTML><HEAD><TITLE>Murmex</TITLE></HEAD><BODY>\r\n<CENTER>\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 18), "\r\n</BODY></HTML>\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(ServiceSite, OptionsOverrideTheBuiltInPlace) {
    ClearOptions();
    EXPECT_EQ(ServiceWebAddress().back(), '/');
    EXPECT_FALSE(ServiceWebHost().empty());
    test::CTempDataDir dir;
    SetOption("WebAddress", "https://chat.example.org/applet");
    SetOption("WebHost", "chat.example.org");
    EXPECT_EQ(ServiceWebAddress(), "https://chat.example.org/applet/");
    EXPECT_EQ(ServiceWebHost(), "chat.example.org");
    ClearOptions();
}

class EnterChannel : public ::testing::Test {
protected:
    EnterChannel() : engine(Settings()) {
        engine.SetAddressSource([] { return std::string("127.0.0.1"); });
    }
    SEngineSettings Settings() {
        SEngineSettings s;
        s.port = peer.Port();
        s.connectWait = s.writeWait = s.readWait = s.lockWait = std::chrono::seconds(5);
        return s;
    }
    void SetUp() override {
        ASSERT_TRUE(engine.Connect());
        user.SetNick("ja");
        user.SetEmail("ja@x");
        user.SetPassword("pw");
        auto known = std::make_shared<CChannelRecord>(3);
        known->SetName("trzeci");
        known->SetFlag(CChannelRecord::kDescribed, true);
        channels.AddKnown(known);
    }
    bool Enter(int channel) { return user.JoinChannel(engine, clock, channels, shell, channel); }
    std::vector<std::string> Sent() {
        auto all = peer.Requests();
        all.erase(all.begin());
        return all;
    }

    test::CTempDataDir dir;
    test::CFakePeer peer;
    CRequestEngine engine;
    CSystemClock clock;
    CChannelList channels{engine, clock};
    CFakeShell shell;
    CUserRecord user{5};
};

TEST_F(EnterChannel, AlreadyChattingMovesTheChatOnly) {
    dir.WriteFile("chat.html", "old");
    peer.Reply("2000 active_exe=\"1\" active_www=\"9\" \r\n");
    peer.Reply("2000 \r\n");
    EXPECT_TRUE(Enter(3));
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{"1290 userid=\"5\" \r\n", "1330 chanid=\"3\" \r\n"}));
    EXPECT_EQ(dir.ReadFile("chat.html"), "old");
    EXPECT_TRUE(shell.Opened().empty());

    peer.Reply("2000 active_exe=\"1\" active_www=\"9\" \r\n");
    peer.Reply("4000 \r\n");
    EXPECT_FALSE(Enter(3)) << "the join's answer is the result";
}

TEST_F(EnterChannel, NotChattingWritesAndOpensThePageEachTime) {
    peer.Reply("4000 \r\n"); // the status cannot be refreshed: not chatting
    ASSERT_TRUE(Enter(3));
    ASSERT_EQ(shell.Opened(), std::vector<std::string>{dir.File("chat.html")});
    std::string page = dir.ReadFile("chat.html");
    EXPECT_NE(page.find("<PARAM NAME=\"PASS\" VALUE=\"pw\">\r\n"), std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=\"CHANNEL\" VALUE=\"trzeci\">\r\n"), std::string::npos);

    user.ClearPassword();
    dir.WriteFile("chat.html", "");
    ASSERT_TRUE(Enter(3));
    EXPECT_EQ(shell.Opened().size(), 2u);
    page = dir.ReadFile("chat.html");
    EXPECT_NE(page.find("<PARAM NAME=\"PASS\" VALUE=\"\">\r\n"), std::string::npos);
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{"1290 userid=\"5\" \r\n", "1290 userid=\"5\" \r\n"}));
}

TEST_F(EnterChannel, UnknownChannelTheServerCannotDescribeFails) {
    engine.SetCurrentQid(5);
    engine.SetLoggedIn(true);
    peer.Reply("2000 active_exe=\"1\" active_www=\"0\" \r\n");
    peer.Reply("4000 \r\n");
    EXPECT_FALSE(Enter(4));
    EXPECT_TRUE(shell.Opened().empty());
    EXPECT_EQ(Sent().back(), "1200 chanid=\"4\" \r\n");

    // One the server knows is fetched, kept and entered.
    peer.Reply("2000 active_exe=\"1\" active_www=\"0\" \r\n");
    peer.Reply("2000 name=\"x<y\" description=\"\" url=\"\" category=\"1\" creator=\"2\" "
               "max_users=\"3\" \r\n");
    ASSERT_TRUE(Enter(4));
    EXPECT_TRUE(channels.IsKnown(4));
    EXPECT_NE(dir.ReadFile("chat.html").find("VALUE=\"x&lt;y\""), std::string::npos);
}

TEST_F(EnterChannel, APageThatCannotBeWrittenOpensNothing) {
    ASSERT_EQ(::mkdir(dir.File("chat.html").c_str(), 0700), 0); // a directory in its place
    peer.Reply("4000 \r\n");
    EXPECT_FALSE(Enter(3));
    EXPECT_TRUE(shell.Opened().empty());
}

} // namespace
} // namespace murmex
