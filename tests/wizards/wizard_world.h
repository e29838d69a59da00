#pragma once

#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/model_fakes.h"
#include "platform/clock.h"
#include "platform/dial_up_platform.h"
#include "protocol/request_engine.h"
#include "server/service_server.h"
#include "session/connection_state.h"
#include "session/internet_connection.h"
#include "support/temp_dir.h"
#include "ui/qt_wait_loop.h"
#include "wizards/wizard_state.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the account wizards are handed, over a temporary data directory, a
// murmexd of their own on a free port and a fake system dialler.
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

// The system's network as the wizards see it: online or not, and a dialler
// that may bring the link up.
class CFakeDialer final : public IDialUpPlatform {
public:
    std::atomic<bool> online{false};
    std::atomic<bool> dialBringsLink{true};
    // While set, a dial waits (bounded) before it ends: a dialling in progress.
    std::atomic<bool> holdDial{false};
    std::vector<std::string> peers;

    bool HasDefaultRoute() override { return online; }
    std::vector<std::string> ListPeers() override { return peers; }
    bool ListActiveLinks(std::vector<SActiveLink>& links) override {
        links.clear();
        return true;
    }
    bool IsInterfaceRunning(const std::string&) override { return false; }
    bool Dial(const std::string& peer) override { return Record("pon " + peer); }
    bool AutoDial() override { return Record("pon"); }
    bool HangUp() override { return Record("poff -a"); }

    std::vector<std::string> Calls() {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    bool Record(const std::string& call) {
        {
            std::lock_guard lock(m_mutex);
            m_calls.push_back(call);
        }
        for (int i = 0; holdDial && i < 1000; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (dialBringsLink)
            online = true;
        return dialBringsLink;
    }
    std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

// The dictionaries the pages fill their lists from.
struct SDictionarySizes {
    int countries = 5;
    int languages = 30;
    int interests = 30;
    int jobs = 4;
    int education = 4;
    int citySizes = 4;
};

class CWizardWorld {
public:
    CWizardWorld();
    ~CWizardWorld();

    void WriteDictionaries(const SDictionarySizes& sizes = {});
    // Writes misc.cfg into the folder and loads it.
    static void WriteDictionariesTo(const CTempDataDir& folder, const SDictionarySizes& sizes = {});
    SWizardServices Services();
    // A member registered on the server through a connection of its own.
    int RegisterMember(const std::string& nick, const std::string& email,
                       const std::string& password);
    // murmexd's administration on the world's database; its printed number.
    int Admin(std::vector<std::string> args);
    // A data manager over the data directory, talking through the world's engine.
    CDataManager& Data();
    // The engine's link to the server, made now.
    bool Connect() { return engine->Connect(); }

    CTempDataDir dir;
    std::unique_ptr<CServiceServer> server;
    CQtWaitLoop waitLoop;
    std::unique_ptr<CRequestEngine> engine;
    CFakeDialer dialer;
    std::unique_ptr<CInternetConnection> connection;
    std::unique_ptr<CConnectionState> state;
    CFakeMessageBox box;
    CFakePrompt prompt;
    CFakeSink sink;
    CFakeTree tree;
    CSystemClock clock;
    std::unique_ptr<CChannelList> channels;
    std::unique_ptr<CDataManager> data;
};

} // namespace murmex::test
