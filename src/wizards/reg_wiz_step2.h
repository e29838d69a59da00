#pragma once

#include "wizards/account_form_page.h"

namespace murmex {

// Page 140: a new account. Next refuses different passwords (109), a missing
// nick or e-mail (118) and a nick and e-mail the service knows already (123).
class CRegWizStep2 : public CAccountFormPage {
    Q_OBJECT

public:
    explicit CRegWizStep2(SWizardState& state, QWidget* parent = nullptr);

    int OnNext() override;
    int OnBack() override;

    using CAccountFormPage::PasswordAgainEdit;

protected:
    CRegWizStep2(SWizardState& state, int backPage, QWidget* parent);

private:
    void StoreFields();
};

// The add-user wizard's page 140: Back returns to its first page, 252.
class CAddUserWizStep2 final : public CRegWizStep2 {
    Q_OBJECT

public:
    explicit CAddUserWizStep2(SWizardState& state, QWidget* parent = nullptr);
};

} // namespace murmex
