#include "wizards/reg_wiz_step2.h"

#include "model/user_record.h"
#include "ui/local_text.h"
#include "wizards/wizard_texts.h"

#include <QCheckBox>
#include <QLineEdit>

namespace murmex {

namespace wt = wizard_texts;

CRegWizStep2::CRegWizStep2(SWizardState& state, QWidget* parent)
    : CRegWizStep2(state, kPageRegistered, parent) {}

CRegWizStep2::CRegWizStep2(SWizardState& state, int backPage, QWidget* parent)
    : CAccountFormPage(state, backPage, wt::kNewAccountIntro, true, parent) {}

void CRegWizStep2::StoreFields() {
    CUserRecord& user = State().user;
    user.SetNick(ToLocal(NickEdit()->text()));
    // The registration sends the account's own e-mail; the brief one is what
    // the rest of the program shows.
    user.SetEmail(ToLocal(EmailEdit()->text()));
    user.SetDetailEmail(ToLocal(EmailEdit()->text()));
    user.SetPassword(ToLocal(PasswordEdit()->text()));
    user.SetSavePassword(RememberBox()->isChecked());
}

int CRegWizStep2::OnBack() {
    StoreFields();
    return BackPage();
}

int CRegWizStep2::OnNext() {
    StoreFields();
    if (PasswordEdit()->text() != PasswordAgainEdit()->text()) {
        ShowMessage(wt::kPasswordsDiffer);
        return kStay;
    }
    if (NickEdit()->text().isEmpty() || EmailEdit()->text().isEmpty()) {
        ShowMessage(wt::kNickEmailRequired);
        return kStay;
    }
    bool taken = false;
    {
        CWait wait(*this);
        // Asked on a scratch record: a clash must not leave the found member's
        // QID in the account being registered.
        CUserRecord probe;
        const CUserRecord& user = State().user;
        taken = probe.FindByNickEmail(Services().engine, user.Nick(), user.DetailEmail());
    }
    if (taken) {
        ShowMessage(wt::kNickEmailTaken);
        return kStay;
    }
    return kPageOptional;
}

CAddUserWizStep2::CAddUserWizStep2(SWizardState& state, QWidget* parent)
    : CRegWizStep2(state, kPageAddUserRegistered, parent) {}

} // namespace murmex
