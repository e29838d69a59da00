#include "wizards/reg_wiz_step2.h"

#include "model/user_record.h"
#include "ui/local_text.h"
#include "ui/wizard_sheet.h"
#include "wizards/wizard_texts.h"
#include "wizards/wrapped_check.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace murmex {

namespace wt = wizard_texts;

// Passwords are limited as the login's password field is.
constexpr int kPasswordLength = 32;

CRegWizStep2::CRegWizStep2(SWizardState& state, QWidget* parent)
    : CRegWizStep2(state, kPageRegistered, parent) {}

CRegWizStep2::CRegWizStep2(SWizardState& state, int backPage, QWidget* parent)
    : CAccountWizardPage(state, parent), m_backPage(backPage) {
    AddTitle(wt::kNewAccountIntro);
    auto* form = new QFormLayout;
    m_nick = new QLineEdit;
    m_email = new QLineEdit;
    m_password = new QLineEdit;
    m_passwordAgain = new QLineEdit;
    for (QLineEdit* secret : {m_password, m_passwordAgain}) {
        secret->setEchoMode(QLineEdit::Password);
        secret->setMaxLength(kPasswordLength);
    }
    form->addRow(FromUtf8(wt::kNick), m_nick);
    form->addRow(FromUtf8(wt::kEmail), m_email);
    form->addRow(FromUtf8(wt::kPassword), m_password);
    form->addRow(FromUtf8(wt::kPasswordAgain), m_passwordAgain);
    Column()->addLayout(form);
    auto* remember = new CWrappedCheck(wt::kRememberPassword);
    m_remember = remember->Box();
    Column()->addSpacing(6);
    Column()->addWidget(remember);
    Column()->addStretch(1);
}

void CRegWizStep2::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    m_nick->setFocus();
}

void CRegWizStep2::StoreFields() {
    CUserRecord& user = State().user;
    user.SetNick(ToLocal(m_nick->text()));
    // The registration sends the account's own e-mail; the brief one is what
    // the rest of the program shows.
    user.SetEmail(ToLocal(m_email->text()));
    user.SetDetailEmail(ToLocal(m_email->text()));
    user.SetPassword(ToLocal(m_password->text()));
    user.SetSavePassword(m_remember->isChecked());
}

int CRegWizStep2::OnBack() {
    StoreFields();
    return m_backPage;
}

int CRegWizStep2::OnNext() {
    StoreFields();
    if (m_password->text() != m_passwordAgain->text()) {
        ShowMessage(wt::kPasswordsDiffer);
        return kStay;
    }
    if (m_nick->text().isEmpty() || m_email->text().isEmpty()) {
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
