#pragma once

#include "counter/call_counter.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "protocol/request_engine.h"
#include "server/service_server.h"
#include "session/app_context.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "session/internet_connection.h"
#include "session/periodic_tasks.h"
#include "storage/config_store.h"
#include "storage/dictionaries.h"
#include "storage/options.h"
#include "support/fake_peer.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "support/wait_for.h"
#include "ui/qt_wait_loop.h"

#include <QCoreApplication>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The world the window tests build on: a temporary data folder, the
// application's objects over it as the program wires them (one context for the
// windows), fakes for the system and the desktop, and a service: a scripted
// fake peer, or a murmexd of the world's own on a free port.
namespace murmex::test {

struct SGuiWorldSettings {
    // murmexd in-process instead of the scripted peer; commands from the UI
    // thread then turn the event loop while they wait, as in the program.
    bool withServer = false;
    // The lines of murmex.cfg (CR LF added), written before anything reads it;
    // the options are loaded from it as start-up loads them. None: no file.
    std::optional<std::vector<std::string>> config;
    // Wall time of the world's clock.
    std::int64_t clockSeconds = 1000000000;
    // How long the engine waits for the service before it gives up.
    std::chrono::milliseconds serviceWait = std::chrono::seconds(5);
};

class CGuiWorld {
public:
    explicit CGuiWorld(SGuiWorldSettings settings = {});
    virtual ~CGuiWorld();
    CGuiWorld(const CGuiWorld&) = delete;
    CGuiWorld& operator=(const CGuiWorld&) = delete;

    // The data manager over the data folder, made on first use (a test may
    // write murmex.cfg first), wired to the world's fakes.
    CDataManager& Data();
    // The application's objects as a window is handed them.
    SAppContext& Context();

    // murmex.cfg from lines (CR LF added), and back.
    void Write(const std::vector<std::string>& lines);
    // murmex.cfg as at exit: stored messages and read marks go through the data
    // manager's writer into a journal, folded in here first.
    std::string Config() const {
        if (data)
            data->FlushStorage();
        CConfigStore::CompactMainFile();
        return dir.ReadFile("murmex.cfg");
    }
    bool FileHas(const std::string& text) const { return Config().find(text) != std::string::npos; }
    bool Has(const std::string& text) const { return FileHas(text); }

    // An engine to the world's service with the world's waits.
    std::unique_ptr<CRequestEngine> MakeEngine() const { return MakeEngine(m_settings); }

    CTempDataDir dir;
    CFakePeer peer;
    std::unique_ptr<CServiceServer> server;
    CQtWaitLoop waitLoop;

private:
    std::unique_ptr<CRequestEngine> MakeEngine(const SGuiWorldSettings& settings) const;
    std::unique_ptr<CRequestEngine> m_engine;

public:
    CRequestEngine& engine;
    CFakeClock clock;
    CFakeDialUpPlatform system;
    CInternetConnection connection{system};
    CConnectionState state{connection, engine};
    CPeriodicTasks tasks{clock};
    CFakeMessageBox messageBox;
    CFakeShell shell;
    CFakePrompt prompt;
    CFakeSink sink;
    CFakeTree treeView;
    CHeartbeat heartbeat{clock, tasks, connection, engine, messageBox};
    CallCounter counter{clock};
    CChannelList channels{engine, clock};
    std::unique_ptr<CDataManager> data;
    std::vector<int> helpTopics;
    int quitRequests = 0;

private:
    SGuiWorldSettings m_settings;
    std::unique_ptr<SAppContext> m_context;
};

} // namespace murmex::test
