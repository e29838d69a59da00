// The connection decision, the dial-up entries and dialling, over a fake system.
#include "session/connection_state.h"
#include "session/internet_connection.h"
#include "session/shell_fakes.h"
#include "storage/options.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace murmex {
namespace {

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest() { ClearOptions(); }
    ~ConnectionTest() override { ClearOptions(); }

    bool Connected() { return CConnectionState(m_connection, m_engine).IsConnected(); }
    bool Lan() { return CConnectionState(m_connection, m_engine).IsLAN(); }
    // The chosen entry "provider" is dialled and its interface is up (or not).
    void ProviderLink(bool up) {
        m_platform.links = {SActiveLink{100, "provider", "", "ppp0"}};
        m_platform.runningInterfaces =
            up ? std::vector<std::string>{"ppp0"} : std::vector<std::string>{};
    }

    test::CTempDataDir m_data;
    test::CFakeDialUpPlatform m_platform;
    CInternetConnection m_connection{m_platform};
    CRequestEngine m_engine;
};

TEST_F(ConnectionTest, WithNoOptionsTheSystemDecidesAndItIsNeverALan) {
    m_platform.online = false;
    EXPECT_FALSE(Connected());
    m_platform.online = true;
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(Lan());
}

TEST_F(ConnectionTest, TrueInternetZeroIsUpWhateverElseSays) {
    SetOption("TrueInternet", "0");
    SetOption("InternetConnection", "DialUp");
    SetOption("RASEntry", "provider");
    m_connection.Init();
    ProviderLink(false);
    EXPECT_TRUE(Connected());
    SetOption("TrueInternet", "1"); // only "0" means anything
    EXPECT_FALSE(Connected());
}

TEST_F(ConnectionTest, AnyChosenConnectionButDialUpIsAlwaysUp) {
    SetOption("InternetConnection", "LAN");
    EXPECT_TRUE(Connected());
    EXPECT_TRUE(Lan());
    SetOption("InternetConnection", "Cable");
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(Lan());
}

TEST_F(ConnectionTest, ForceModemMakesALanACountedConnection) {
    SetOption("InternetConnection", "LAN");
    SetOption("ForceModem", "1");
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(Lan());
    SetOption("ForceModem", "0");
    EXPECT_TRUE(Lan());
}

TEST_F(ConnectionTest, DialUpWithAnEntryFollowsThatEntrysLinkNotTheRouteTable) {
    SetOption("InternetConnection", "DialUp");
    SetOption("RASEntry", "provider");
    m_connection.Init();
    m_platform.online = true; // some other way out: does not count
    EXPECT_FALSE(Connected());
    ProviderLink(false); // still negotiating
    EXPECT_FALSE(Connected());
    ProviderLink(true); // dialled by whatever program
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(Lan());
}

TEST_F(ConnectionTest, DialUpWithAnEmptyEntryIsNeverUpAndWithoutOneTheSystemDecides) {
    SetOption("InternetConnection", "DialUp");
    m_platform.online = true;
    EXPECT_TRUE(Connected()) << "no RASEntry: on to the system's state";
    SetOption("RASEntry", "");
    m_connection.Init();
    ProviderLink(true);
    EXPECT_FALSE(Connected());
    EXPECT_EQ(m_connection.EntryState(), 2);
}

TEST_F(ConnectionTest, EntryStateMatchesPeerOrLinkNameAndTheFirstMatchDecides) {
    EXPECT_EQ(m_connection.EntryState(), 2);
    m_connection.SetEntry("work");
    EXPECT_EQ(m_connection.EntryState(), 1) << "no links";
    m_platform.links = {SActiveLink{1, "office", "work", "ppp1"}};
    m_platform.runningInterfaces = {"ppp1"};
    EXPECT_EQ(m_connection.EntryState(), 0) << "by link name";
    m_platform.linksReadable = false;
    EXPECT_EQ(m_connection.EntryState(), 1);
    m_platform.linksReadable = true;

    m_platform.links = {SActiveLink{1, "work", "", "ppp0"}, SActiveLink{2, "work", "", "ppp1"}};
    EXPECT_EQ(m_connection.EntryState(), 1) << "the first link is not up";
    m_platform.links = {SActiveLink{1, "work", "", ""}};
    EXPECT_EQ(m_connection.EntryState(), 1) << "no interface yet";
    m_platform.links = {SActiveLink{1, "Work", "", "ppp1"}};
    EXPECT_EQ(m_connection.EntryState(), 1) << "names compare exactly";
}

TEST_F(ConnectionTest, EntryNamesAreHeldInTheProgramsCodePageAndMatchedInTheSystems) {
    // "Łącze" as file names spell it, and as the program stores it.
    const std::string systemName = "\xC5\x81\xC4\x85"
                                   "cze";
    const std::string storedName = "\xA3\xB9"
                                   "cze";
    m_platform.peers = {systemName, "bad\x01name",
                        "\xE2\x82\xAC"
                        "uro",
                        "\xFF\xFE"};
    m_connection.LoadEntries();
    // The euro sign exists in the code page; a control character and broken UTF-8 do not.
    EXPECT_EQ(m_connection.EntryNames(), (std::vector<std::string>{storedName, "\x80uro"}));

    m_connection.SetEntry(storedName);
    m_platform.links = {SActiveLink{1, systemName, "", "ppp0"}};
    m_platform.runningInterfaces = {"ppp0"};
    EXPECT_EQ(m_connection.EntryState(), 0);
}

TEST_F(ConnectionTest, LoadEntriesReplacesTheListAndInitTakesTheStoredEntry) {
    m_platform.peers = {"a", "b"};
    m_connection.Init();
    EXPECT_EQ(m_connection.EntryNames().size(), 2u);
    EXPECT_EQ(m_connection.EntryName(), "") << "no RASEntry";
    m_platform.peers = {"c"};
    SetOption("RASEntry", "c");
    m_connection.Init();
    EXPECT_EQ(m_connection.EntryNames(), std::vector<std::string>{"c"});
    EXPECT_EQ(m_connection.EntryName(), "c");
}

TEST_F(ConnectionTest, FillListSelectsByCaseBlindPrefixOrTheFirstItem) {
    EXPECT_EQ(m_connection.FillList().selected, -1) << "empty list, nothing to select";
    m_platform.peers = {"Neostrada", "orange-gprs",
                        "\xA3\xB9"
                        "cze"};
    m_platform.peers[2] = "\xC5\x81\xC4\x85"
                          "cze"; // "Łącze" on disk
    m_connection.LoadEntries();

    SEntryList list = m_connection.FillList();
    EXPECT_EQ(list.names.size(), 3u);
    EXPECT_EQ(list.selected, 0) << "no entry chosen";

    m_connection.SetEntry("ORANGE");
    EXPECT_EQ(m_connection.FillList().selected, 1);
    m_connection.SetEntry("\xB3\xA5"); // "łĄ": Polish letters fold too
    EXPECT_EQ(m_connection.FillList().selected, 2);
    m_connection.SetEntry("orange-gprs-2"); // longer than every name
    EXPECT_EQ(m_connection.FillList().selected, -1);
}

TEST_F(ConnectionTest, StatusTextTellsConnectionAndLogin) {
    m_platform.online = false;
    CConnectionState state(m_connection, m_engine);
    EXPECT_EQ(state.ConnectionStatusText(), "Offline");
    m_platform.online = true;
    EXPECT_EQ(state.ConnectionStatusText(), "Online");
    m_engine.SetLoggedIn(true);
    EXPECT_TRUE(state.IsLoggedIn());
    EXPECT_EQ(state.ConnectionStatusText(), "Online i zalogowany");
    EXPECT_EQ(CConnectionState::StatusText(false, true), "Offline i zalogowany");
}

TEST(DiallingTest, DialsTheChosenEntryOrTheDefaultPeerOnAWorkerThatIsJoined) {
    test::CFakeDialUpPlatform platform;
    {
        CInternetConnection connection(platform);
        ASSERT_TRUE(connection.StartDialling());
    } // the destructor waits for the worker
    {
        CInternetConnection connection(platform);
        connection.SetEntry("\xA3\xB9"
                            "cze");
        ASSERT_TRUE(connection.StartDialling());
        ASSERT_TRUE(platform.WaitForCalls(2));
        connection.HangUp();
    }
    EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"pon",
                                                          "pon \xC5\x81\xC4\x85"
                                                          "cze",
                                                          "poff -a"}));
}

TEST(DiallingTest, ASecondDialWhileTheFirstRunsIsNotStarted) {
    test::CFakeDialUpPlatform platform;
    CInternetConnection connection(platform);
    connection.SetEntry("provider");
    platform.HoldDialling();
    ASSERT_TRUE(connection.StartDialling());
    ASSERT_TRUE(platform.WaitForCalls(1));
    EXPECT_TRUE(connection.IsDialling());
    EXPECT_FALSE(connection.StartDialling());
    platform.ReleaseDialling();
    // Once the first has ended another may start.
    connection.WaitForDialling();
    ASSERT_FALSE(connection.IsDialling());
    EXPECT_TRUE(connection.StartDialling());
    ASSERT_TRUE(platform.WaitForCalls(2));
    EXPECT_EQ(platform.Calls().size(), 2u);
}

} // namespace
} // namespace murmex
