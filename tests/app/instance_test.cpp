// One program per data folder, and a program that ends on SIGTERM the orderly
// way. The second start and the terminated program are the real `murmex`,
// started as another process.
#include "app/service_fixture.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "protocol/command_codes.h"
#include "session/app_texts.h"
#include "shell/main_bar.h"
#include "shell/single_instance.h"
#include "shell/unix_signal_watcher.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>
#include <set>
#include <thread>

namespace murmex {
namespace {

using test::WaitFor;

// The real program on this test's data folder and service port.
class ProgramProcess {
public:
    ProgramProcess(const std::string& home, std::uint16_t port) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MURMEX_HOME"), QString::fromStdString(home));
        env.insert(QStringLiteral("MURMEX_PORT"), QString::number(port));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(MURMEX_PROGRAM), {});
    }
    ~ProgramProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    // Waits with the test's own event loop turning: the first program may be
    // this very process.
    bool Ended(int boundMs = 30000) {
        return WaitFor([this] { return m_process.state() == QProcess::NotRunning; },
                       std::chrono::milliseconds(boundMs));
    }
    bool EndedNormallyWith(int code) {
        return Ended() && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == code;
    }
    void Signal(int number) { ::kill(static_cast<pid_t>(m_process.processId()), number); }

private:
    QProcess m_process;
};

class SingleInstance : public test::StartupFixture {
protected:
    void WriteOneLocalUser() {
        WriteConfig({"[Options]", "InternetConnection=\"LAN\"", "autorun_dontask=\"1\"", "",
                     "[LocalUsers]", LocalUserLine(7, "ala")});
    }
};

TEST_F(SingleInstance, ASecondStartBringsTheRunningMainBarForwardAndEnds) {
    WriteOneLocalUser();
    ASSERT_TRUE(Start());
    app->MainBar()->hide();

    ProgramProcess second(dir.Path(), port);
    ASSERT_TRUE(second.EndedNormallyWith(0));
    EXPECT_TRUE(WaitFor([&] { return app->MainBar()->isVisible(); }));
}

TEST_F(SingleInstance, ASecondStartThatGetsNoAnswerSaysSoAndWritesNothing) {
    WriteOneLocalUser();
    const std::string before = Config();
    // Holds the folder without listening, as a program that hangs would.
    CInstanceLock hung;
    ASSERT_EQ(hung.Acquire(dir.Path()), CInstanceLock::EState::Held);

    EXPECT_FALSE(Start());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(std::string(kTextAlreadyRunning), 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find(dir.Path()), std::string::npos);
    EXPECT_EQ(Config(), before);
}

TEST_F(SingleInstance, OnlyTheOneRequestOnTheFoldersOwnSocketActivates) {
    int activations = 0;
    CSingleInstance running;
    ASSERT_TRUE(running.Listen(dir.Path(), [&] { ++activations; }));
    EXPECT_NE(CSingleInstance::ServerName(dir.Path()),
              CSingleInstance::ServerName(dir.Path() + "x/"));

    bool answered = false;
    std::thread other([&] { answered = CSingleInstance::ActivateRunning(dir.Path()); });
    EXPECT_TRUE(WaitFor([&] { return activations == 1; }));
    other.join();
    EXPECT_TRUE(answered);

    // Another folder has nobody to ask.
    EXPECT_FALSE(CSingleInstance::ActivateRunning(dir.Path() + "x/", 200));
}

TEST(UnixSignalWatcher, ASignalArrivesOnTheUiThreadAndTheDefaultComesBackAfter) {
    std::vector<int> received;
    {
        CUnixSignalWatcher watcher({SIGUSR2});
        QObject::connect(&watcher, &CUnixSignalWatcher::Received,
                         [&](int number) { received.push_back(number); });
        ::raise(SIGUSR2);
        ::raise(SIGUSR2);
        EXPECT_TRUE(WaitFor([&] { return received.size() == 2; }));
    }
    EXPECT_EQ(received, (std::vector<int>{SIGUSR2, SIGUSR2}));
    struct sigaction now = {};
    ::sigaction(SIGUSR2, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

class Terminated : public test::ServiceFixture {
protected:
    // Every message that is on the service still, fetched as another program would.
    std::vector<std::string> LeftOnTheService() {
        SEngineSettings s;
        s.port = port;
        CRequestEngine engine(s);
        engine.SetAddressSource([] { return std::string("127.0.0.1"); });
        std::vector<std::string> texts;
        if (!engine.Connect())
            return texts;
        CUserRecord me(alice);
        me.SetPassword("haslo1");
        if (!me.LoginAs(engine))
            return texts;
        CParamRecord r;
        while (engine.ExecuteCommandInline(CMD_FETCH_MESSAGE, &r)) {
            texts.push_back(r.Get("msg"));
            r.Clear();
        }
        return texts;
    }

    // murmex.cfg, or anything the program keeps beside it on the way there.
    bool DataFilesMention(const std::string& text) const {
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("murmex.cfg", 0) == 0 &&
                dir.ReadFile(name).find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> StoredInTheFolder() {
        SEngineSettings s;
        CRequestEngine engine(s);
        CChannelList channels(engine, CSystemClock::Instance());
        CDataManager data(engine, channels, CSystemClock::Instance(), nullptr);
        data.SwitchToFirstLocalUser();
        std::vector<std::string> texts;
        for (int i = 0; i < data.MessageCount(); ++i)
            texts.push_back(data.MessageAt(i)->Text());
        return texts;
    }
};

TEST_F(Terminated, SigtermDuringAFirstStartsQuestionsEndsWithZero) {
    // An empty folder: the splash, then the registration wizard, each in a
    // loop of its own before the program's main loop has started.
    ProgramProcess program(dir.Path(), port);
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(dir.Path() + "murmex.lock"); }));
    // Past the splash, so the wizard is most likely up; either way the
    // signal must end the start-up.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    program.Signal(SIGTERM);
    EXPECT_TRUE(program.EndedNormallyWith(0));
}

TEST_F(Terminated, SigtermStoresEveryFetchedMessageAndEndsWithZero) {
    constexpr int kMessages = 150;
    for (int i = 0; i < kMessages; ++i)
        Admin({"send-message", "--from", std::to_string(bob), "--to", std::to_string(alice),
               "--text", "wiadomosc " + std::to_string(i)});
    std::vector<std::string> config = AliceSignsInByHerself();
    config.insert(config.begin() + 1, "HotTipDisabled=\"1\"");
    WriteConfig(config);

    {
        ProgramProcess program(dir.Path(), port);
        // Terminated in the middle of the fetch, once some messages are stored.
        ASSERT_TRUE(WaitFor([&] { return DataFilesMention("wiadomosc"); }));
        program.Signal(SIGTERM);
        ASSERT_TRUE(program.EndedNormallyWith(0));
    }

    std::multiset<std::string> all;
    for (const std::string& text : StoredInTheFolder())
        all.insert(text);
    const std::size_t stored = all.size();
    for (const std::string& text : LeftOnTheService())
        all.insert(text);
    EXPECT_GT(stored, 0u);
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kMessages)) << stored << " stored";
    for (int i = 0; i < kMessages; ++i)
        EXPECT_EQ(all.count("wiadomosc " + std::to_string(i)), 1u) << i;
}

} // namespace
} // namespace murmex
