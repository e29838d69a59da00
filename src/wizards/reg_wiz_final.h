#pragma once

#include "wizards/account_wizard_page.h"

namespace murmex {

// Page 144: everything is collected; "Zakończ" ends the wizard. Back returns
// to the existing-account page for a member who identified himself.
class CRegWizFinal : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizFinal(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnBack() override;
};

using CAddUserWizFinal = CRegWizFinal;

} // namespace murmex
