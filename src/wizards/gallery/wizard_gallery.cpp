// Shows one page of the account wizards or one tab of the account window, for
// looking at them (and for screenshots), without a server. Not installed.
//
//   murmex_wizard_gallery --reg INDEX | --add INDEX | --edit INDEX [--quit-after MS]

#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dial_up_platform.h"
#include "platform/paths.h"
#include "protocol/request_engine.h"
#include "session/connection_state.h"
#include "session/internet_connection.h"
#include "storage/dictionaries.h"
#include "ui/animation.h"
#include "ui/qt_message_box.h"
#include "wizards/account_wizard_page.h"
#include "wizards/add_user_wiz_dialog.h"
#include "wizards/edit_user_wiz_dialog.h"
#include "wizards/edit_user_wiz_tab.h"
#include "wizards/reg_wiz_dialog.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <string>

namespace murmex {
namespace {

// A computer with two dial-up entries and no link.
class CShowcaseDialer final : public IDialUpPlatform {
public:
    bool HasDefaultRoute() override { return false; }
    std::vector<std::string> ListPeers() override { return {"modem-tp", "neostrada"}; }
    bool ListActiveLinks(std::vector<SActiveLink>& links) override {
        links.clear();
        return true;
    }
    bool IsInterfaceRunning(const std::string&) override { return false; }
    bool Dial(const std::string&) override { return false; }
    bool AutoDial() override { return false; }
    bool HangUp() override { return false; }
};

const std::string kSource = MURMEX_SOURCE_DIR;

void ShowClip(QWidget* window) {
    for (CAnimation* animation : window->findChildren<CAnimation*>()) {
        animation->Open(kSource + "/resources/logo1.avi");
    }
}

} // namespace
} // namespace murmex

int main(int argc, char** argv) {
    using namespace murmex;
    QApplication app(argc, argv);
    QTemporaryDir data;
    CPaths::SetDataDirectory(QDir(data.path()).absolutePath().toStdString() + "/");
    LoadDictionariesFrom(kSource + "/resources/misc.cfg");

    std::string mode = "--reg";
    int index = 0;
    int quitAfter = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--reg" || arg == "--add" || arg == "--edit") {
            mode = arg;
            index = std::atoi(argv[i + 1]);
        }
        if (arg == "--quit-after")
            quitAfter = std::atoi(argv[i + 1]);
    }

    CRequestEngine engine;
    CShowcaseDialer dialer;
    CInternetConnection connection(dialer);
    connection.LoadEntries();
    CConnectionState state(connection, engine);
    CQtMessageBox messageBox;
    SWizardServices services{engine, connection, state, messageBox};
    CSystemClock clock;
    CChannelList channels(engine, clock);
    CDataManager manager(engine, channels, clock);

    std::unique_ptr<QDialog> window;
    if (mode == "--edit") {
        auto user = std::make_shared<CUserRecord>(1234567);
        user->SetNick("zenek");
        user->SetEmail("zenek@example.pl");
        user->SetFlag(CUserRecord::kHasBrief, true);
        user->SetDetailName(Utf8ToWin1250("Zenon"));
        user->SetDetailSurname(Utf8ToWin1250("Łącki"));
        user->SetCity(Utf8ToWin1250("Gdańsk"));
        user->SetStreet(Utf8ToWin1250("Długa 5"));
        user->SetCountry(2);
        user->SetSex(1);
        user->SetCellPhone("0601123456");
        user->SetCitySize(4);
        user->SetEducation(3);
        user->SetJob(2);
        user->SetLanguages({1, 3});
        user->SetInterests({2, 5, 9});
        user->SetSavePassword(true);
        auto dialog = std::make_unique<CEditUserWizDialog>(manager, user, messageBox);
        ShowClip(dialog.get());
        dialog->move(40, 40);
        dialog->show();
        dialog->SetActivePage(index);
        window = std::move(dialog);
    } else {
        std::unique_ptr<CWizardSheet> sheet;
        if (mode == "--add")
            sheet = std::make_unique<CAddUserWizDialog>(services);
        else
            sheet = std::make_unique<CRegWizDialog>(services);
        ShowClip(sheet.get());
        sheet->move(40, 40);
        sheet->show();
        sheet->SetActivePage(index);
        window = std::move(sheet);
    }
    if (quitAfter > 0)
        QTimer::singleShot(quitAfter, &app, &QApplication::quit);
    const int status = app.exec();
    window.reset();
    manager.Shutdown();
    return status;
}
