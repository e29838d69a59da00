#pragma once

#include "support/gui_world.h"

#include <string>
#include <vector>

// Everything the main bar is handed, over a temporary data directory, a fake
// service and a fake system: the application's objects as a test sees them.
namespace murmex::test {

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

class CBarWorld : public CGuiWorld {
public:
    // `config`: the lines of murmex.cfg; the options are read from it as
    // start-up reads them. `currentUser`: the local user switched to, if any.
    explicit CBarWorld(const std::vector<std::string>& config = {}, int currentUser = 0)
        : CGuiWorld(SGuiWorldSettings{false, config}) {
        Data();
        if (currentUser)
            data->SwitchLocalUser(currentUser);
        data->WaitForWorkers();
        ctx = &Context();
    }

    SAppContext* ctx = nullptr;
};

} // namespace murmex::test
