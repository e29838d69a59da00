#include "wizards/edit_user_wiz_step1.h"

#include "model/data_manager.h"
#include "model/user_record.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "wizards/edit_user_wiz_dialog.h"
#include "wizards/wizard_texts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

namespace wt = wizard_texts;

constexpr int kPasswordLength = 32;

// Read-only values from the service, shown as text that can be copied.
QLabel* Value() {
    QLabel* label = dialog_parts::PlainLabel();
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLineEdit* Secret() {
    auto* edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(kPasswordLength);
    return edit;
}

} // namespace

CEditUserWizStep1::CEditUserWizStep1(CEditUserWizDialog& dialog, QWidget* parent)
    : CEditUserWizTab(dialog, parent) {
    auto* identity = new QGridLayout;
    m_qid = Value();
    m_nick = Value();
    m_email = Value();
    m_hideEmail = new QCheckBox(FromUtf8(wt::kHide));
    identity->addWidget(dialog_parts::PlainLabel(wt::kYourQid), 0, 0);
    identity->addWidget(m_qid, 0, 1, 1, 2);
    identity->addWidget(dialog_parts::PlainLabel(wt::kNick), 1, 0);
    identity->addWidget(m_nick, 1, 1, 1, 2);
    identity->addWidget(dialog_parts::PlainLabel(wt::kEmail), 2, 0);
    identity->addWidget(m_email, 2, 1);
    identity->addWidget(m_hideEmail, 2, 2);
    identity->setColumnStretch(1, 1);
    Column()->addLayout(identity);
    Column()->addSpacing(8);

    auto* group = new QGroupBox(FromUtf8(wt::kPasswordGroup));
    auto* groupColumn = new QVBoxLayout(group);
    auto* form = new QFormLayout;
    m_oldPassword = Secret();
    m_newPassword = Secret();
    m_newPasswordAgain = Secret();
    form->addRow(FromUtf8(wt::kOldPassword), m_oldPassword);
    form->addRow(FromUtf8(wt::kNewPassword), m_newPassword);
    form->addRow(FromUtf8(wt::kNewPasswordAgain), m_newPasswordAgain);
    groupColumn->addLayout(form);
    auto* row = new QHBoxLayout;
    m_keepPassword = new QCheckBox(FromUtf8(wt::kKeepPassword));
    m_change = new QPushButton(FromUtf8(wt::kChangePassword));
    row->addWidget(m_keepPassword, 1);
    row->addWidget(m_change);
    groupColumn->addLayout(row);
    Column()->addWidget(group);
    Column()->addStretch(1);

    connect(m_hideEmail, &QCheckBox::clicked, this, &CEditUserWizStep1::Edited);
    connect(m_keepPassword, &QCheckBox::clicked, this, &CEditUserWizStep1::KeepPasswordClicked);
    connect(m_change, &QPushButton::clicked, this, &CEditUserWizStep1::ChangePassword);
}

void CEditUserWizStep1::Load(const CUserRecord& user) {
    m_qid->setText(QString::number(user.Qid()));
    m_nick->setText(FromLocal(user.Nick()));
    m_email->setText(FromLocal(user.Email()));
    m_hideEmail->setChecked(user.RestrictEmail());
    m_keepPassword->setChecked(user.SavePassword());
}

void CEditUserWizStep1::Store(CUserRecord& user) {
    user.SetRestrictEmail(m_hideEmail->isChecked());
}

void CEditUserWizStep1::KeepPasswordClicked() {
    // A choice about this computer only: stored at once, nothing sent.
    Dialog().User().SetSavePassword(m_keepPassword->isChecked());
    Dialog().Data().Save();
}

void CEditUserWizStep1::ChangePassword() {
    if (m_newPassword->text() != m_newPasswordAgain->text()) {
        Dialog().ShowMessage(wt::kPasswordsDiffer);
        return;
    }
    CUserRecord& user = Dialog().User();
    std::string_view outcome;
    Dialog().BeginWait();
    // The old password is checked on a scratch record: the user's own must
    // not take a password that is about to be replaced.
    CUserRecord probe;
    if (!probe.Identify(Dialog().Engine(), user.Nick(), user.Email(),
                        ToLocal(m_oldPassword->text()))) {
        outcome = wt::kWrongOldPassword;
    } else if (user.ChangePassword(Dialog().Engine(), ToLocal(m_newPassword->text()))) {
        outcome = wt::kPasswordChanged;
        Dialog().Data().Save();
    } else {
        outcome = wt::kPasswordNotChanged;
    }
    Dialog().EndWait();
    m_oldPassword->clear();
    m_newPassword->clear();
    m_newPasswordAgain->clear();
    Dialog().ShowMessage(outcome);
}

} // namespace murmex
