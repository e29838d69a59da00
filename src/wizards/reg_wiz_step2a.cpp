#include "wizards/reg_wiz_step2a.h"

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

CRegWizStep2A::CRegWizStep2A(SWizardState& state, QWidget* parent)
    : CRegWizStep2A(state, kPageRegistered, parent) {}

CRegWizStep2A::CRegWizStep2A(SWizardState& state, int backPage, QWidget* parent)
    : CAccountWizardPage(state, parent), m_backPage(backPage) {
    AddTitle(wt::kExistingAccountIntro);
    auto* form = new QFormLayout;
    m_nick = new QLineEdit;
    m_email = new QLineEdit;
    m_password = new QLineEdit;
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(32);
    form->addRow(FromUtf8(wt::kNick), m_nick);
    form->addRow(FromUtf8(wt::kEmail), m_email);
    form->addRow(FromUtf8(wt::kPassword), m_password);
    Column()->addLayout(form);
    auto* remember = new CWrappedCheck(wt::kRememberPassword);
    m_remember = remember->Box();
    Column()->addSpacing(6);
    Column()->addWidget(remember);
    Column()->addStretch(1);
}

void CRegWizStep2A::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    m_nick->setFocus();
}

int CRegWizStep2A::OnBack() {
    State().user.SetSavePassword(m_remember->isChecked());
    return m_backPage;
}

int CRegWizStep2A::OnNext() {
    CUserRecord& user = State().user;
    user.SetSavePassword(m_remember->isChecked());
    bool identified = false;
    {
        CWait wait(*this);
        identified = user.Identify(Services().engine, ToLocal(m_nick->text()),
                                   ToLocal(m_email->text()), ToLocal(m_password->text()));
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
