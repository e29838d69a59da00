// The account wizards, page by page, and the account window, tab by tab.

#include "gallery/gallery_book.h"
#include "model/data_manager.h"
#include "model/user_record.h"
#include "platform/code_page.h"
#include "session/app_context.h"
#include "ui/animation.h"
#include "wizards/add_user_wiz_dialog.h"
#include "wizards/edit_user_wiz_dialog.h"
#include "wizards/reg_wiz_dialog.h"
#include "wizards/wizard_state.h"

namespace murmex {
namespace {

void ShowClip(QWidget& window, const CGalleryWorld& world) {
    for (CAnimation* animation : window.findChildren<CAnimation*>())
        animation->Open(world.Resource("logo1.avi"));
}

template <typename Sheet> CGalleryBook::Maker WizardPage(int index, std::string pageClass) {
    return [index, pageClass](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto sheet = std::make_unique<Sheet>(WizardServicesOf(world.Context()));
        ShowClip(*sheet, world);
        return OnPage(std::move(sheet), index, pageClass);
    };
}

// The local user as the account window shows him once the service has sent
// the whole account.
std::shared_ptr<CUserRecord> SampleAccount(CGalleryWorld& world) {
    auto user = std::make_shared<CUserRecord>(world.LocalQid());
    user->SetNick("zenek");
    user->SetEmail("zenek@poczta.pl");
    user->SetFlag(CUserRecord::kHasBrief, true);
    user->SetDetailName(Utf8ToWin1250("Zenon"));
    user->SetDetailSurname(Utf8ToWin1250("Łącki"));
    user->SetCity(Utf8ToWin1250("Gdańsk"));
    user->SetStreet(Utf8ToWin1250("Długa 5"));
    user->SetCountry(1);
    user->SetSex(1);
    user->SetCellPhone("0601123456");
    user->SetCitySize(4);
    user->SetEducation(3);
    user->SetJob(2);
    user->SetLanguages({1, 3});
    user->SetInterests({2, 5, 9});
    user->SetSavePassword(true);
    return user;
}

CGalleryBook::Maker AccountTab(int index, std::string pageClass) {
    return [index, pageClass](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto sheet = std::make_unique<CEditUserWizDialog>(world.Data(), SampleAccount(world),
                                                          world.Context().messageBox);
        ShowClip(*sheet, world);
        return OnPage(std::move(sheet), index, pageClass);
    };
}

} // namespace

void AddWizardShots(CGalleryBook& book) {
    const char* regPages[] = {"CRegWizWelcome", "CRegWizStep1",  "CRegWizStep1A", "CRegWizStep2",
                              "CRegWizStep2A",  "CRegWizStep2B", "CRegWizStep3",  "CRegWizStep4",
                              "CRegWizStep5",   "CRegWizFinal"};
    book.Add("CRegWizDialog", WizardPage<CRegWizDialog>(0, regPages[0]));
    for (int i = 0; i < static_cast<int>(std::size(regPages)); ++i)
        book.Add(regPages[i], WizardPage<CRegWizDialog>(i, regPages[i]));

    // The add-user wizard's later pages are the registration wizard's own.
    const char* addPages[] = {"CAddUserWizStep1", "CAddUserWizStep1A", "CAddUserWizStep2",
                              "CAddUserWizStep2A"};
    book.Add("CAddUserWizDialog", WizardPage<CAddUserWizDialog>(0, addPages[0]));
    for (int i = 0; i < static_cast<int>(std::size(addPages)); ++i)
        book.Add(addPages[i], WizardPage<CAddUserWizDialog>(i, addPages[i]));

    const char* tabs[] = {"CEditUserWizStep1", "CEditUserWizStep2", "CEditUserWizStep3",
                          "CEditUserWizStep4"};
    book.Add("CEditUserWizDialog", AccountTab(0, tabs[0]));
    for (int i = 0; i < static_cast<int>(std::size(tabs)); ++i)
        book.Add(tabs[i], AccountTab(i, tabs[i]));
}

} // namespace murmex
