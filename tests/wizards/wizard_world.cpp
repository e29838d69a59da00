#include "wizard_world.h"

#include "server/admin_tool.h"
#include "storage/dictionaries.h"
#include "storage/options.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace murmex::test {
namespace {

std::unique_ptr<CRequestEngine> MakeEngine(std::uint16_t port) {
    SEngineSettings s;
    s.port = port;
    s.connectWait = s.writeWait = s.lockWait = std::chrono::seconds(10);
    s.readWait = std::chrono::seconds(30);
    auto engine = std::make_unique<CRequestEngine>(s);
    engine->SetAddressSource([] { return std::string("127.0.0.1"); });
    return engine;
}

std::string Section(const std::string& name, int count, const std::string& stem) {
    std::string text = "[" + name + "]\r\n";
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "=\"" + stem + " " + std::to_string(i) + "\"\r\n";
    return text;
}

} // namespace

CWizardWorld::CWizardWorld() {
    ClearOptions();
    SServerSettings settings;
    settings.port = 0;
    settings.database = dir.File("murmexd.db");
    settings.hashCost = CPasswordHasher::ECost::Fast;
    settings.tick = std::chrono::milliseconds(20);
    settings.workers = 2;
    server = std::make_unique<CServiceServer>(settings);
    EXPECT_TRUE(server->Start()) << server->LastError();

    engine = MakeEngine(server->Port());
    // As in the program: commands from the UI thread keep the windows turning.
    engine->SetUiThread(std::this_thread::get_id());
    engine->SetHostWindow(&waitLoop);
    connection = std::make_unique<CInternetConnection>(dialer);
    state = std::make_unique<CConnectionState>(*connection, *engine);
    WriteDictionaries();
}

CWizardWorld::~CWizardWorld() {
    if (data)
        data->Shutdown();
    data.reset();
    engine->Abort();
    server->Stop();
    ClearOptions();
    LoadDictionariesFrom(dir.File("none.cfg"));
}

void CWizardWorld::WriteDictionaries(const SDictionarySizes& sizes) {
    WriteDictionariesTo(dir, sizes);
}

void CWizardWorld::WriteDictionariesTo(const CTempDataDir& folder, const SDictionarySizes& sizes) {
    std::string text = "Slowniki do testow.\r\n";
    text += Section("Country", sizes.countries, "Kraj");
    text += Section("Language", sizes.languages, "Jezyk");
    text += Section("Interestance", sizes.interests, "Pasja");
    text += Section("Job", sizes.jobs, "Zawod");
    text += Section("Education", sizes.education, "Szkola");
    text += Section("CitySize", sizes.citySizes, "Miasto");
    folder.WriteFile("misc.cfg", text);
    LoadDictionariesFrom(folder.File("misc.cfg"));
}

SWizardServices CWizardWorld::Services() {
    SWizardServices services{*engine, *connection, *state, box};
    // A link that does not come up is reported at once.
    services.linkWait = std::chrono::milliseconds(0);
    return services;
}

int CWizardWorld::RegisterMember(const std::string& nick, const std::string& email,
                                 const std::string& password) {
    auto other = MakeEngine(server->Port());
    if (!other->Connect())
        return 0;
    CUserRecord u;
    u.SetNick(nick);
    u.SetDetailEmail(email);
    u.SetDetailName("Jan");
    u.SetDetailSurname("Testowy");
    u.SetPassword(password);
    return u.Register(*other) ? u.Qid() : 0;
}

int CWizardWorld::Admin(std::vector<std::string> args) {
    args.push_back("--database");
    args.push_back(dir.File("murmexd.db"));
    std::ostringstream out, err;
    const int status = RunAdmin(args, out, err);
    EXPECT_EQ(status, 0) << err.str();
    return std::atoi(out.str().c_str());
}

CDataManager& CWizardWorld::Data() {
    if (!data) {
        channels = std::make_unique<CChannelList>(*engine, clock);
        data = std::make_unique<CDataManager>(*engine, *channels, clock);
        data->SetTreeView(&tree);
        data->SetHeartbeatSink(&sink);
        data->SetPasswordPrompt(&prompt);
        data->SetMessageBox(&box);
    }
    return *data;
}

} // namespace murmex::test
