#pragma once

#include "counter/call_counter.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/dial_up_platform.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "session/app_context.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "session/internet_connection.h"
#include "session/periodic_tasks.h"
#include "storage/dictionaries.h"
#include "storage/options.h"
#include "support/fake_peer.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Everything the main bar is handed, over a temporary data directory, a fake
// service and a fake system: the application's objects as a test sees them.
namespace murmex::test {

inline bool WaitFor(const std::function<bool()>& condition, int boundMs = 10000) {
    QDeadlineTimer deadline(boundMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class CSetClock final : public IClock {
public:
    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override { return now * 1000; }
    std::atomic<std::int64_t> now{1000000000};
};

class CFakeSystem final : public IDialUpPlatform {
public:
    std::atomic<bool> online{false};
    std::vector<std::string> peers;
    bool HasDefaultRoute() override { return online; }
    std::vector<std::string> ListPeers() override { return peers; }
    bool ListActiveLinks(std::vector<SActiveLink>& links) override {
        links.clear();
        return true;
    }
    bool IsInterfaceRunning(const std::string&) override { return false; }
    bool Dial(const std::string&) override { return true; }
    bool AutoDial() override { return true; }
    bool HangUp() override { return true; }
};

class CRecordingMessageBox final : public IMessageBox {
public:
    void ShowMessage(std::string_view text) override {
        std::lock_guard lock(m_mutex);
        m_shown.emplace_back(text);
    }
    std::vector<std::string> Shown() {
        std::lock_guard lock(m_mutex);
        return m_shown;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_shown;
};

class CRecordingShell final : public IDesktopShell {
public:
    bool OpenDocument(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return true;
    }
    std::vector<std::string> opened;
};

// Local user 5 ("ja", shown as "Ja sam") with groups 100 "Praca" (friends 21,
// 22) and 200 "Dom" (23); a second local user 6. Channel 7 "czat" is known.
inline const std::vector<std::string> kTwoUsers = {
    "[LocalUsers]",
    "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
    "RemoteCellPhonePrefix=\"\" Display=\"Ja sam\" SavePassword=\"1\" Password=\"pw\" ",
    "QID=\"6\" Nick=\"ty\" Email=\"you@x\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
    "RemoteCellPhonePrefix=\"\" SavePassword=\"1\" Password=\"pw\" ",
    "",
    "[QID5-Groups]",
    "GID=\"100\" Name=\"Praca\" FriendsCount=\"2\" F1=\"21\" F2=\"22\" ",
    "GID=\"200\" Name=\"Dom\" FriendsCount=\"1\" F1=\"23\" ",
    "",
    "[QID5-Friends]",
    "friends=\"21,22,23\" ",
    "",
    "[QID5-Users]",
    "QID=\"21\" Nick=\"ala\" Email=\"ala@x\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
    "RemoteCellPhonePrefix=\"\" ",
    "QID=\"22\" Nick=\"bolek\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
    "RemoteCellPhonePrefix=\"\" ",
    "QID=\"23\" Nick=\"cezary\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
    "RemoteCellPhonePrefix=\"\" ",
    "",
    "[Channels]",
    "CID=\"7\" Name=\"czat\" Description=\"\" Category=\"1\" CreatorQID=\"0\" URL=\"\" "
    "MaxUsers=\"10\" ",
};

class CBarWorld {
public:
    // `config`: the lines of murmex.cfg (CR LF added); the options are read
    // from it as start-up reads them.
    explicit CBarWorld(const std::vector<std::string>& config = {}, int currentUser = 0)
        : engine(Settings(peer.Port())) {
        ClearOptions();
        LoadDictionariesFrom(dir.File("misc.cfg"));
        engine.SetAddressSource([] { return std::string("127.0.0.1"); });
        Write(config);
        LoadOptions();
        connection.Init();
        data = std::make_unique<CDataManager>(engine, channels, clock);
        data->SetMessageBox(&messageBox);
        data->SetDesktopShell(&shell);
        data->SetHeartbeatSink(&heartbeat);
        if (currentUser)
            data->SwitchLocalUser(currentUser);
        data->WaitForWorkers();
        ctx = std::make_unique<SAppContext>(SAppContext{
            engine, *data, channels, counter, connection, state, heartbeat, tasks, messageBox,
            shell, clock, [this](int topic) { helpTopics.push_back(topic); },
            [this] { ++quitRequests; }});
    }
    ~CBarWorld() {
        data->Shutdown();
        ClearOptions();
        LoadDictionariesFrom(dir.File("none"));
    }

    static SEngineSettings Settings(std::uint16_t port) {
        SEngineSettings s;
        s.port = port;
        s.connectWait = s.writeWait = s.readWait = s.lockWait = std::chrono::seconds(5);
        return s;
    }

    void Write(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines)
            text += line + "\r\n";
        dir.WriteFile("murmex.cfg", text);
    }
    std::string Config() const { return dir.ReadFile("murmex.cfg"); }
    bool FileHas(const std::string& text) const { return Config().find(text) != std::string::npos; }

    CTempDataDir dir;
    CFakePeer peer;
    CRequestEngine engine;
    CSetClock clock;
    CFakeSystem system;
    CInternetConnection connection{system};
    CConnectionState state{connection, engine};
    CPeriodicTasks tasks{clock};
    CRecordingMessageBox messageBox;
    CRecordingShell shell;
    CHeartbeat heartbeat{clock, tasks, connection, engine, messageBox};
    CallCounter counter{clock};
    CChannelList channels{engine, clock};
    std::unique_ptr<CDataManager> data;
    std::unique_ptr<SAppContext> ctx;
    std::vector<int> helpTopics;
    int quitRequests = 0;
};

} // namespace murmex::test
