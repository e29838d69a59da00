#include "support/gui_world.h"

#include "storage/dictionaries.h"
#include "storage/options.h"
#include "support/service_world.h"

#include <gtest/gtest.h>
#include <thread>

namespace murmex::test {

CGuiWorld::CGuiWorld(SGuiWorldSettings settings)
    : server(settings.withServer ? StartServiceServer(dir) : nullptr),
      m_engine(MakeEngine(settings)), engine(*m_engine), clock(settings.clockSeconds),
      m_settings(std::move(settings)) {
    ClearOptions();
    // Nothing is read from an earlier test's dictionaries.
    LoadDictionariesFrom(dir.File("misc.cfg"));
    if (m_settings.withServer) {
        // As in the program: commands from the UI thread keep the windows turning.
        engine.SetUiThread(std::this_thread::get_id());
        engine.SetHostWindow(&waitLoop);
    }
    if (m_settings.config) {
        Write(*m_settings.config);
        LoadOptions();
    }
    // The wizards read the dial-up entries when their page opens, after a
    // test has set them; everyone else finds the connection decided.
    if (!m_settings.withServer)
        connection.Init();
}

CGuiWorld::~CGuiWorld() {
    if (data)
        data->Shutdown();
    m_context.reset();
    data.reset();
    engine.Abort();
    if (server)
        server->Stop();
    ClearOptions();
    LoadDictionariesFrom(dir.File("none.cfg"));
}

std::unique_ptr<CRequestEngine> CGuiWorld::MakeEngine(const SGuiWorldSettings& settings) const {
    SEngineSettings s;
    s.port = server ? server->Port() : peer.Port();
    s.connectWait = s.writeWait = s.lockWait = settings.serviceWait;
    // murmexd answers a registration only after hashing the password.
    s.readWait = server ? 3 * settings.serviceWait : settings.serviceWait;
    auto other = std::make_unique<CRequestEngine>(s);
    other->SetAddressSource([] { return std::string("127.0.0.1"); });
    return other;
}

CDataManager& CGuiWorld::Data() {
    if (!data) {
        data = std::make_unique<CDataManager>(engine, channels, clock);
        data->SetMessageBox(&messageBox);
        data->SetDesktopShell(&shell);
        data->SetPasswordPrompt(&prompt);
        data->SetHeartbeatSink(&heartbeat);
    }
    return *data;
}

SAppContext& CGuiWorld::Context() {
    if (!m_context) {
        m_context = std::make_unique<SAppContext>(SAppContext{
            engine, Data(), channels, counter, connection, state, heartbeat, tasks, messageBox,
            shell, clock, [this](int topic) { helpTopics.push_back(topic); },
            [this] { ++quitRequests; }});
    }
    return *m_context;
}

void CGuiWorld::Write(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    dir.WriteFile("murmex.cfg", text);
}

} // namespace murmex::test
