#pragma once

#include "command_peer.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model_fakes.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "storage/config_store.h"
#include "storage/options.h"
#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// One fixture that wires a data manager to a fake service in a temporary data directory.
namespace murmex::test {

inline SEngineSettings ShortWaits(std::uint16_t port) {
    SEngineSettings s;
    s.port = port;
    s.connectWait = s.writeWait = s.readWait = s.lockWait = std::chrono::seconds(5);
    return s;
}

// A data directory, a fake service, an engine connected to it, and the
// process-wide objects of the data model, wired to fakes.
class CModelWorld {
public:
    CModelWorld() : engine(ShortWaits(peer.Port())) {
        engine.SetAddressSource([] { return std::string("127.0.0.1"); });
        CParamRecord::SetMissingEntryHandler([this](const std::string& m) { missing.Add(m); });
        channels.SetFavouritesView(&favourites);
    }
    ~CModelWorld() {
        if (manager)
            manager->Shutdown();
        manager.reset();
        CParamRecord::SetMissingEntryHandler(nullptr);
        ClearOptions();
    }

    bool Connect() { return engine.Connect(); }
    void LogIn(int qid) {
        engine.SetCurrentQid(qid);
        engine.SetLoggedIn(true);
    }
    // Writes murmex.cfg (lines joined with CR LF) before the manager loads it.
    void WriteConfig(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        dir.WriteFile("murmex.cfg", text);
    }
    // murmex.cfg as it is at exit: pending changes written, the journal folded in.
    std::string Config() {
        if (manager)
            manager->FlushStorage();
        CConfigStore::CompactMainFile();
        return dir.ReadFile("murmex.cfg");
    }

    CDataManager& Manager(SDataManagerSettings settings = {}) {
        if (!manager) {
            manager = std::make_unique<CDataManager>(engine, channels, clock, nullptr, settings);
            manager->SetTreeView(&tree);
            manager->SetHeartbeatSink(&sink);
            manager->SetPasswordPrompt(&prompt);
            manager->SetMessageBox(&messageBox);
            manager->SetDesktopShell(&shell);
        }
        return *manager;
    }

    CTempDataDir dir;
    CCommandPeer peer;
    CRequestEngine engine;
    CFixedClock clock;
    CChannelList channels{engine, clock};
    CFakeTree tree;
    CFakeFavourites favourites;
    CFakeSink sink;
    CFakePrompt prompt;
    CFakeMessageBox messageBox;
    CFakeShell shell;
    CCallLog missing;
    std::unique_ptr<CDataManager> manager;
};

} // namespace murmex::test
