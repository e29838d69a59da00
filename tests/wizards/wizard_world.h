#pragma once

#include "support/gui_world.h"
#include "wizards/wizard_state.h"

#include <string>
#include <vector>

// What the account wizards are handed: the shared GUI world with a murmexd of
// its own on a free port, a fake system dialler whose dial brings the link up,
// and dictionaries written for the pages' lists.
namespace murmex::test {

// The dictionaries the pages fill their lists from.
struct SDictionarySizes {
    int countries = 5;
    int languages = 30;
    int interests = 30;
    int jobs = 4;
    int education = 4;
    int citySizes = 4;
};

class CWizardWorld : public CGuiWorld {
public:
    CWizardWorld();

    void WriteDictionaries(const SDictionarySizes& sizes = {});
    // Writes misc.cfg into the folder and loads it.
    static void WriteDictionariesTo(const CTempDataDir& folder, const SDictionarySizes& sizes = {});
    SWizardServices Services();
    // A member registered on the server through a connection of its own.
    int RegisterMember(const std::string& nick, const std::string& email,
                       const std::string& password);
    // murmexd's administration on the world's database; its printed number.
    int Admin(std::vector<std::string> args);
    // The data manager, its tree and login outcome recorded by fakes.
    CDataManager& Data();
    // The engine's link to the server, made now.
    bool Connect() { return engine.Connect(); }

    CFakeDialUpPlatform& dialer = system;
    CFakeMessageBox& box = messageBox;
    CFakeTree& tree = treeView;
};

} // namespace murmex::test
