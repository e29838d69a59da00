#pragma once

#include "wizards/account_wizard_page.h"

class QCheckBox;
class QLineEdit;

namespace murmex {

// Page 170: an existing account. Next lets the service identify the member
// by nick, e-mail and password and goes straight to the final page; a refusal
// is message 124. Nothing is checked here before asking.
class CRegWizStep2A : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep2A(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override;

    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QCheckBox* RememberBox() const { return m_remember; }

protected:
    CRegWizStep2A(SWizardState& state, int backPage, QWidget* parent);

private:
    int m_backPage;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_remember = nullptr;
};

// The add-user wizard's page 170: Back returns to its first page, 252.
class CAddUserWizStep2A final : public CRegWizStep2A {
    Q_OBJECT

public:
    explicit CAddUserWizStep2A(SWizardState& state, QWidget* parent = nullptr);
};

} // namespace murmex
