// The add-friend wizard, page by page, and the user search's two dialogs,
// with the gallery world's sample data.
#include "friends/friend_insert_step2.h"
#include "friends/friend_insert_step2a.h"
#include "friends/friend_insert_step3.h"
#include "friends/friend_insert_wizard.h"
#include "friends/user_search_dlg.h"
#include "friends/user_search_results_dlg.h"
#include "gallery/gallery_book.h"
#include "model/data_manager.h"
#include "session/app_context.h"
#include "ui/animation.h"
#include "ui/wizard_page.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace murmex {
namespace {

// The wizard on one page, which `fill` then fills as a user would have.
CGalleryBook::Maker WizardPage(int index, std::string pageClass,
                               std::function<void(CFriendInsertWizard&)> fill = {}) {
    return [index, pageClass, fill](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        SAppContext& ctx = world.Context();
        auto wizard = std::make_unique<CFriendInsertWizard>(
            SFriendInsertServices{ctx.data, ctx.messageBox, [] { return true; }}, 0);
        // The pages are laid out, and the first activated, on the first showing.
        wizard->show();
        if (!wizard->SetActivePage(index) || !wizard->ActivePage() ||
            ClassNameOf(*wizard->ActivePage()) != pageClass)
            return nullptr;
        if (fill)
            fill(*wizard);
        return wizard;
    };
}

} // namespace

void AddAddFriendShots(CGalleryBook& book) {
    book.Add("CFriendInsertStep1", WizardPage(0, "CFriendInsertStep1"));
    book.Add("CFriendInsertStep2", WizardPage(1, "CFriendInsertStep2", [](CFriendInsertWizard& w) {
                 w.Step2()->QidEdit()->setText(QStringLiteral("4821337"));
             }));
    book.Add("CFriendInsertStep2A",
             WizardPage(2, "CFriendInsertStep2A", [](CFriendInsertWizard& w) {
                 CFriendInsertStep2A* p = w.Step2A();
                 p->NickEdit()->setText(QStringLiteral("pan Heniek"));
                 p->EmailEdit()->setText(QStringLiteral("h.wrobel@poczta.pl"));
                 p->NameEdit()->setText(QStringLiteral("Henryk"));
                 p->SurnameEdit()->setText(QStringLiteral("Wróbel"));
                 p->AddressEdit()->setPlainText(QStringLiteral("ul. Ogrodowa 12/4\n80-253 Gdańsk"));
                 p->PhoneEdit()->setText(QStringLiteral("58 341 27 90"));
                 p->PrefixList()->setCurrentText(QStringLiteral("603"));
                 p->CellEdit()->setText(QStringLiteral("482915"));
             }));
    book.Add("CFriendInsertStep3", WizardPage(3, "CFriendInsertStep3"));

    book.Add("CUserSearchDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        SAppContext& ctx = world.Context();
        auto dialog = std::make_unique<CUserSearchDlg>(ctx.data, ctx.messageBox, ctx.openHelp);
        dialog->Animation()->Open(world.Resource("logo1.avi"));
        dialog->CityEdit()->setText(QStringLiteral("Kraków"));
        dialog->SexList()->setCurrentText(QStringLiteral("Kobieta"));
        dialog->AgeList()->setCurrentText(QStringLiteral("25-29"));
        dialog->InterestList()->setCurrentIndex(dialog->InterestList()->count() > 3 ? 3 : 0);
        return dialog;
    });
    book.Add("CUserSearchResultsDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto dialog = std::make_unique<CUserSearchResultsDlg>(world.Data(), world.FriendQids(),
                                                              std::function<void(int)>{});
        return dialog;
    });
}

} // namespace murmex
