#pragma once

#include "wizards/account_form_page.h"

namespace murmex {

// Page 170: an existing account. Next lets the service identify the member
// by nick, e-mail and password and goes straight to the final page; a refusal
// is message 124. Nothing is checked here before asking.
class CRegWizStep2A : public CAccountFormPage {
    Q_OBJECT

public:
    explicit CRegWizStep2A(SWizardState& state, QWidget* parent = nullptr);

    int OnNext() override;
    int OnBack() override;

protected:
    CRegWizStep2A(SWizardState& state, int backPage, QWidget* parent);
};

// The add-user wizard's page 170: Back returns to its first page, 252.
class CAddUserWizStep2A final : public CRegWizStep2A {
    Q_OBJECT

public:
    explicit CAddUserWizStep2A(SWizardState& state, QWidget* parent = nullptr);
};

} // namespace murmex
