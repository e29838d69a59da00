#pragma once

#include "wizards/account_wizard_page.h"

class QCheckBox;
class QLineEdit;

namespace murmex {

// Page 140: a new account. Next refuses different passwords (109), a missing
// nick or e-mail (118) and a nick and e-mail the service knows already (123).
class CRegWizStep2 : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep2(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override;

    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QLineEdit* PasswordAgainEdit() const { return m_passwordAgain; }
    QCheckBox* RememberBox() const { return m_remember; }

protected:
    CRegWizStep2(SWizardState& state, int backPage, QWidget* parent);

private:
    void StoreFields();

    int m_backPage;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_passwordAgain = nullptr;
    QCheckBox* m_remember = nullptr;
};

// The add-user wizard's page 140: Back returns to its first page, 252.
class CAddUserWizStep2 final : public CRegWizStep2 {
    Q_OBJECT

public:
    explicit CAddUserWizStep2(SWizardState& state, QWidget* parent = nullptr);
};

} // namespace murmex
