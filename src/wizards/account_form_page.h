#pragma once

#include "wizards/account_wizard_page.h"

#include <string_view>

class QCheckBox;
class QLineEdit;

namespace murmex {

// The form a new and an existing account are both entered on: nick, e-mail,
// password (twice for a new account) and "remember the password". Back goes to
// the page the wizard came from.
class CAccountFormPage : public CAccountWizardPage {
    Q_OBJECT

public:
    void OnActivate() override;

    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QCheckBox* RememberBox() const { return m_remember; }

protected:
    CAccountFormPage(SWizardState& state, int backPage, std::string_view introUtf8,
                     bool passwordAgain, QWidget* parent);

    int BackPage() const { return m_backPage; }
    // Null unless the form asks for the password twice.
    QLineEdit* PasswordAgainEdit() const { return m_passwordAgain; }

private:
    int m_backPage;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_passwordAgain = nullptr;
    QCheckBox* m_remember = nullptr;
};

} // namespace murmex
