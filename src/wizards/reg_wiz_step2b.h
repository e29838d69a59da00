#pragma once

#include "wizards/account_wizard_page.h"

namespace murmex {

// Page 396: the notice that what follows is optional. It keeps the buttons
// as the new-account page left them.
class CRegWizStep2B : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep2B(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override {}
    int OnBack() override { return kPageNewAccount; }
};

// The add-user wizard's page 396: the same.
using CAddUserWizStep3B = CRegWizStep2B;

} // namespace murmex
