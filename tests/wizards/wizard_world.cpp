#include "wizard_world.h"

#include "server/admin_tool.h"
#include "storage/dictionaries.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <sstream>

namespace murmex::test {
namespace {

SGuiWorldSettings Settings() {
    SGuiWorldSettings settings;
    settings.withServer = true;
    settings.serviceWait = std::chrono::seconds(10);
    // The server stamps what it stores with the real time.
    settings.clockSeconds = std::time(nullptr);
    return settings;
}

std::string Section(const std::string& name, int count, const std::string& stem) {
    std::string text = "[" + name + "]\r\n";
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "=\"" + stem + " " + std::to_string(i) + "\"\r\n";
    return text;
}

} // namespace

CWizardWorld::CWizardWorld() : CGuiWorld(Settings()) {
    system.dialBringsLink = true;
    WriteDictionaries();
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
    SWizardServices services{engine, connection, state, messageBox};
    // A link that does not come up is reported at once.
    services.linkWait = std::chrono::milliseconds(0);
    return services;
}

int CWizardWorld::RegisterMember(const std::string& nick, const std::string& email,
                                 const std::string& password) {
    auto other = MakeEngine();
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
    const bool made = data != nullptr;
    CDataManager& manager = CGuiWorld::Data();
    if (!made) {
        manager.SetTreeView(&treeView);
        manager.SetHeartbeatSink(&sink);
        manager.SetDesktopShell(nullptr);
    }
    return manager;
}

} // namespace murmex::test
