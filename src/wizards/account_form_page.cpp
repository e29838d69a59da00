#include "wizards/account_form_page.h"

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

namespace {

// Passwords are limited as the login's password field is.
constexpr int kPasswordLength = 32;

QLineEdit* MakePasswordEdit() {
    auto* edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(kPasswordLength);
    return edit;
}

} // namespace

CAccountFormPage::CAccountFormPage(SWizardState& state, int backPage, std::string_view introUtf8,
                                   bool passwordAgain, QWidget* parent)
    : CAccountWizardPage(state, parent), m_backPage(backPage) {
    AddTitle(introUtf8);
    auto* form = new QFormLayout;
    m_nick = new QLineEdit;
    m_email = new QLineEdit;
    m_password = MakePasswordEdit();
    form->addRow(FromUtf8(wt::kNick), m_nick);
    form->addRow(FromUtf8(wt::kEmail), m_email);
    form->addRow(FromUtf8(wt::kPassword), m_password);
    if (passwordAgain) {
        m_passwordAgain = MakePasswordEdit();
        form->addRow(FromUtf8(wt::kPasswordAgain), m_passwordAgain);
    }
    Column()->addLayout(form);
    auto* remember = new CWrappedCheck(wt::kRememberPassword);
    m_remember = remember->Box();
    Column()->addSpacing(6);
    Column()->addWidget(remember);
    Column()->addStretch(1);
}

void CAccountFormPage::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    m_nick->setFocus();
}

} // namespace murmex
