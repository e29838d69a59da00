// The system side of the connection, read from a fake tree of the kernel's and
// the dial-up daemon's files, and the helper programs started for real.
#include "platform/ppp_platform.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace murmex {
namespace {

namespace fs = std::filesystem;

class PppPlatformTest : public ::testing::Test {
protected:
    void Write(const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(m_tree.File(path)).parent_path());
        std::ofstream(m_tree.File(path), std::ios::binary) << bytes;
    }
    // An interface with its sysfs flags and operational state.
    void Interface(const std::string& name, const std::string& flags, const std::string& state) {
        Write("sys/class/net/" + name + "/flags", flags + "\n");
        Write("sys/class/net/" + name + "/operstate", state + "\n");
    }
    // A running process with this command line (arguments separated by NULs).
    void Process(int pid, const std::string& cmdline) {
        Write("proc/" + std::to_string(pid) + "/cmdline", cmdline);
    }
    std::vector<SActiveLink> Links(bool* readable = nullptr) {
        std::vector<SActiveLink> links;
        bool ok = m_platform.ListActiveLinks(links);
        if (readable)
            *readable = ok;
        return links;
    }

    test::CTempDataDir m_tree;
    CPppPlatform m_platform{m_tree.Path()};
};

constexpr const char* kRouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST_F(PppPlatformTest, Ipv4DefaultRouteCountsOnlyOnAnInterfaceThatIsUpAndOperational) {
    EXPECT_FALSE(m_platform.HasDefaultRoute()) << "no route table at all";

    Write("proc/net/route", std::string(kRouteHeader) +
                                "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                                "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n");
    Interface("eth0", "0x1003", "up");
    EXPECT_TRUE(m_platform.HasDefaultRoute());

    Interface("eth0", "0x1003", "down"); // cable out: the kernel keeps the route
    EXPECT_FALSE(m_platform.HasDefaultRoute());
    Interface("eth0", "0x1002", "up"); // administratively down
    EXPECT_FALSE(m_platform.HasDefaultRoute());
}

TEST_F(PppPlatformTest, RoutesThatDoNotLeadOutAreIgnored) {
    Interface("lo", "0x9", "unknown");
    Interface("eth0", "0x1003", "up");
    Interface("dummy0", "0x0b", "unknown"); // a loopback-flagged interface under another name
    Write("proc/net/route",
          std::string(kRouteHeader) +
              "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"
              "dummy0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"
              "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n" // not up
              "eth0\t00000000\t010200C0\t0201\t0\t0\t0\t00000000\t0\t0\t0\n" // reject
              "eth0\t0000000A\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n" // not default
              "eth0\t00000000\t00000000\t0001\t0\t0\t0\t000000FF\t0\t0\t0\n" // a /8 mask
              "garbage line\n"
              "eth0\tzzzzzzzz\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n");
    EXPECT_FALSE(m_platform.HasDefaultRoute());
}

TEST_F(PppPlatformTest, Ipv6DefaultRouteCountsButTheLoopbackRejectRouteDoesNot) {
    const std::string zero(32, '0');
    Interface("lo", "0x9", "unknown");
    Interface("eth0", "0x1003", "up");
    Write("proc/net/ipv6_route",
          zero + " 00 " + zero + " 00 " + zero + " ffffffff 00000001 00000000 00200200       lo\n");
    EXPECT_FALSE(m_platform.HasDefaultRoute());

    Write("proc/net/ipv6_route", zero + " 00 " + zero + " 00 " + zero +
                                     " ffffffff 00000001 00000000 00200200       lo\n" + zero +
                                     " 00 " + zero +
                                     " 00 fd000000000000000000000000000001 00000400 00000002 "
                                     "00000000 00000003     eth0\n");
    EXPECT_TRUE(m_platform.HasDefaultRoute());
}

TEST_F(PppPlatformTest, InterfaceStateNeedsUpFlagAndOperationalState) {
    Interface("ppp0", "0x10d1", "unknown"); // point-to-point links report "unknown"
    Interface("ppp1", "0x10d0", "unknown");
    Interface("eth1", "0x1003", "dormant");
    EXPECT_TRUE(m_platform.IsInterfaceRunning("ppp0"));
    EXPECT_FALSE(m_platform.IsInterfaceRunning("ppp1"));
    EXPECT_FALSE(m_platform.IsInterfaceRunning("eth1"));
    EXPECT_FALSE(m_platform.IsInterfaceRunning("ppp9"));
    // A name from a file we read must not walk out of the interfaces folder.
    Write("sys/class/net/flags", "0x1\n");
    Write("sys/class/net/operstate", "up\n");
    EXPECT_FALSE(m_platform.IsInterfaceRunning("."));
    EXPECT_FALSE(m_platform.IsInterfaceRunning("../net"));
}

TEST_F(PppPlatformTest, PeersAreTheRegularFilesInNameOrder) {
    EXPECT_TRUE(m_platform.ListPeers().empty()) << "no peers folder";
    Write("etc/ppp/peers/provider", "/dev/ttyS0\n");
    Write("etc/ppp/peers/Orange", "");
    Write("etc/ppp/peers/dsl-provider", "");
    Write("etc/ppp/peers/.hidden", "");
    fs::create_directories(m_tree.File("etc/ppp/peers/chatscripts"));
    fs::create_symlink(m_tree.File("etc/ppp/peers/provider"), m_tree.File("etc/ppp/peers/link"));
    EXPECT_EQ(m_platform.ListPeers(),
              (std::vector<std::string>{"Orange", "dsl-provider", "link", "provider"}));
}

TEST_F(PppPlatformTest, APeersFolderWeMayNotReadIsNoEntries) {
    Write("etc/ppp/peers/provider", "");
    ::chmod(m_tree.Path().c_str(), 0755);
    ::chmod(m_tree.File("etc/ppp/peers").c_str(), 0750);
    if (::geteuid() != 0) {
        EXPECT_TRUE(m_platform.ListPeers().empty());
        return;
    }
    // Root reads everything: ask as an ordinary user in a child process.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        CPppPlatform platform(m_tree.Path());
        ::_exit(platform.ListPeers().empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(PppPlatformTest, RunningLinksComeFromPidFilesOfLiveDaemons) {
    bool readable = false;
    Links(&readable);
    EXPECT_FALSE(readable) << "no run folder at all";

    fs::create_directories(m_tree.File("run"));
    EXPECT_TRUE(Links(&readable).empty());
    EXPECT_TRUE(readable);

    // Started as "pon provider": the interface's pid file only.
    Write("run/ppp0.pid", "4242\n");
    Process(4242, std::string("/usr/sbin/pppd\0call\0provider\0", 29));
    // A peer with a link name: both pid files name one process.
    Write("run/ppp-work.pid", "5151\nppp1\n");
    Write("run/ppp1.pid", "5151\n");
    Process(5151, std::string("/usr/sbin/pppd\0call\0office\0", 27));

    const auto links = Links();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].pid, 5151);
    EXPECT_EQ(links[0].peer, "office");
    EXPECT_EQ(links[0].linkName, "work");
    EXPECT_EQ(links[0].interfaceName, "ppp1");
    EXPECT_EQ(links[1].pid, 4242);
    EXPECT_EQ(links[1].peer, "provider");
    EXPECT_EQ(links[1].linkName, "");
    EXPECT_EQ(links[1].interfaceName, "ppp0");
}

TEST_F(PppPlatformTest, StaleOrForeignPidFilesAreNotLinks) {
    Write("run/ppp0.pid", "777\n"); // the daemon died, its file stayed
    Write("run/ppp1.pid", "888\n"); // the number now belongs to something else
    Process(888, std::string("/usr/bin/vim\0call\0provider\0", 27));
    Write("run/ppp2.pid", "-5\n");
    Write("run/ppp3.pid", "12ab\n");
    Write("run/ppp4.pid", "");
    Write("run/pppoe.pid", "999\n"); // not an interface's pid file
    Process(999, std::string("pppd\0call\0dsl\0", 14));
    Write("run/ppp-dialling.pid", "999\n"); // link name known, no interface yet
    const auto links = Links();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].linkName, "dialling");
    EXPECT_EQ(links[0].peer, "dsl");
    EXPECT_EQ(links[0].interfaceName, "");
}

// A stand-in for the dialling helpers that writes the arguments it got, one a line.
class HelperProgramTest : public PppPlatformTest {
protected:
    void SetUp() override {
        Write("bin/helper", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args\"\n"
                            "exit ${HELPER_EXIT:-0}\n");
        ::chmod(m_tree.File("bin/helper").c_str(), 0755);
    }
    std::string Args() { return m_tree.ReadFile("bin/args"); }
    bool Ran() { return fs::exists(m_tree.File("bin/args")); }

    CPppPlatform m_helpers{m_tree.Path(), m_tree.File("bin/helper"), m_tree.File("bin/helper")};
};

TEST_F(HelperProgramTest, DialPassesThePeerAsOneArgumentWithoutAShell) {
    EXPECT_TRUE(m_helpers.Dial("my isp;touch x $(id)"));
    EXPECT_EQ(Args(), "my isp;touch x $(id)\n");
    EXPECT_FALSE(fs::exists(m_tree.File("bin/x")));
}

TEST_F(HelperProgramTest, AutoDialAndHangUpUseTheirFixedArguments) {
    EXPECT_TRUE(m_helpers.AutoDial());
    EXPECT_EQ(Args(), "\n"); // printf with no arguments prints one empty line
    EXPECT_TRUE(m_helpers.HangUp());
    EXPECT_EQ(Args(), "-a\n");
}

TEST_F(HelperProgramTest, NamesTheHelperWouldMisreadAreRefusedUnstarted) {
    for (const std::string name : {"", "-d", "../../tmp/evil", "a/b", ".", "..", "a\nb"}) {
        EXPECT_FALSE(m_helpers.Dial(name)) << name;
        EXPECT_FALSE(Ran()) << name;
    }
}

TEST_F(HelperProgramTest, AFailingOrMissingHelperIsAFailure) {
    ::setenv("HELPER_EXIT", "3", 1);
    EXPECT_FALSE(m_helpers.Dial("provider"));
    ::unsetenv("HELPER_EXIT");
    EXPECT_TRUE(Ran());
    CPppPlatform missing(m_tree.Path(), m_tree.File("bin/no-such-helper"), "no-such-helper-xyz");
    EXPECT_FALSE(missing.Dial("provider"));
    EXPECT_FALSE(missing.HangUp());
}

} // namespace
} // namespace murmex
