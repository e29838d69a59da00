// The main bar and the windows of start-up, shutdown and the main menu.

#include "friends/group_choice_dialog.h"
#include "gallery/gallery_book.h"
#include "model/data_manager.h"
#include "session/app_context.h"
#include "session/main_menu_rules.h"
#include "shell/autorun_question_dialog.h"
#include "shell/exit_confirm_dialog.h"
#include "shell/feedback_dialog.h"
#include "shell/hot_tip_dialog.h"
#include "shell/local_user_dialogs.h"
#include "shell/main_bar.h"
#include "shell/main_menu.h"
#include "shell/options_dialog.h"
#include "shell/password_dialog.h"
#include "shell/personalizing_window.h"
#include "shell/splash_window.h"

#include <QLabel>
#include <QMenu>

namespace murmex {
namespace {

// The options dialog asks its host how the bar stands: floating, on top.
class CSampleDockingHost final : public IDockingHost {
public:
    bool IsDocked() const override { return false; }
    bool IsOnTop() const override { return true; }
    void SetDocking(bool, bool) override {}
};

struct SDockingHostHolder {
    CSampleDockingHost host;
};

// The options dialog owning the host it asks (the holder is built first).
class COptionsShot final : private SDockingHostHolder, public COptionsDialog {
public:
    explicit COptionsShot(const CInternetConnection& connection)
        : COptionsDialog(host, connection) {}
};

// The main menu is a pop-up of the main bar: drawn as a picture, enabled as
// for a signed-in user with two local users.
std::unique_ptr<QWidget> MainMenuPicture() {
    auto picture = std::make_unique<QLabel>();
    picture->setWindowTitle(QStringLiteral("Menu"));
    CMainMenu menu(true, picture.get());
    SMainMenuState state;
    state.connected = true;
    state.loggedIn = true;
    state.hasCurrentUser = true;
    state.localUserCount = 2;
    menu.Prepare(state);
    menu.Menu()->adjustSize();
    picture->setPixmap(menu.Menu()->grab());
    picture->adjustSize();
    return picture;
}

} // namespace

void AddShellShots(CGalleryBook& book) {
    book.Add("CMainBar", [](CGalleryWorld& world) {
        auto bar = std::make_unique<CMainBar>(world.Context());
        bar->SetStatusLine("Zalogowany");
        bar->SetCostLine("0:12:45  1,86 zł");
        bar->resize(180, 520);
        return bar;
    });
    book.Add("CMainMenu", [](CGalleryWorld&) { return MainMenuPicture(); });
    book.Add("COptionsDialog", [](CGalleryWorld& world) {
        return std::make_unique<COptionsShot>(world.Context().connection);
    });
    book.Add("CHotTipDialog", [](CGalleryWorld&) { return std::make_unique<CHotTipDialog>(); });
    book.Add("CSplashWindow",
             [](CGalleryWorld&) { return std::make_unique<CSplashWindow>(60 * 60 * 1000); });
    book.Add("CPersonalizingWindow",
             [](CGalleryWorld&) { return std::make_unique<CPersonalizingWindow>(); });
    book.Add("CPasswordDialog", [](CGalleryWorld&) { return std::make_unique<CPasswordDialog>(); });
    book.Add("CChooseLocalUserDialog", [](CGalleryWorld& world) {
        return std::make_unique<CChooseLocalUserDialog>(LocalUserChoices(world.Data()),
                                                        world.Context().messageBox);
    });
    book.Add("CDeleteLocalUserDialog", [](CGalleryWorld& world) {
        return std::make_unique<CDeleteLocalUserDialog>(LocalUserChoices(world.Data()),
                                                        world.Context().messageBox);
    });
    book.Add("CAutorunQuestionDialog",
             [](CGalleryWorld&) { return std::make_unique<CAutorunQuestionDialog>(); });
    book.Add("CExitConfirmDialog",
             [](CGalleryWorld&) { return std::make_unique<CExitConfirmDialog>(); });
    book.Add("CFeedbackDialog", [](CGalleryWorld& world) {
        return std::make_unique<CFeedbackDialog>(world.Data(), world.Context().messageBox);
    });
    book.Add("CGroupChoiceDialog", [](CGalleryWorld& world) {
        return std::make_unique<CGroupChoiceDialog>(world.Data().GroupsChoice());
    });
}

} // namespace murmex
