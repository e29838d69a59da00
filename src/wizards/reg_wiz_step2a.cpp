#include "wizards/reg_wiz_step2a.h"

#include "model/user_record.h"
#include "ui/local_text.h"
#include "wizards/wizard_texts.h"

#include <QCheckBox>
#include <QLineEdit>

namespace murmex {

namespace wt = wizard_texts;

CRegWizStep2A::CRegWizStep2A(SWizardState& state, QWidget* parent)
    : CRegWizStep2A(state, kPageRegistered, parent) {}

CRegWizStep2A::CRegWizStep2A(SWizardState& state, int backPage, QWidget* parent)
    : CAccountFormPage(state, backPage, wt::kExistingAccountIntro, false, parent) {}

int CRegWizStep2A::OnBack() {
    State().user.SetSavePassword(RememberBox()->isChecked());
    return BackPage();
}

int CRegWizStep2A::OnNext() {
    CUserRecord& user = State().user;
    user.SetSavePassword(RememberBox()->isChecked());
    bool identified = false;
    {
        CWait wait(*this);
        identified = user.Identify(Services().engine, ToLocal(NickEdit()->text()),
                                   ToLocal(EmailEdit()->text()), ToLocal(PasswordEdit()->text()));
    }
    if (!identified) {
        ShowMessage(wt::kIdentifyRefused);
        return kStay;
    }
    return kPageFinal;
}

CAddUserWizStep2A::CAddUserWizStep2A(SWizardState& state, QWidget* parent)
    : CRegWizStep2A(state, kPageAddUserRegistered, parent) {}

} // namespace murmex
