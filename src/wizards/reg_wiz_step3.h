#pragma once

#include "wizards/account_wizard_page.h"

namespace murmex {

class CPersonalForm;

// Page 141: "Podaj swoje dane personalne." The web page, phone and mobile
// fields are shown but not taken: a new account starts with them empty.
class CRegWizStep3 : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep3(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override;

    CPersonalForm* Form() const { return m_form; }

private:
    CPersonalForm* m_form = nullptr;
};

using CAddUserWizStep3 = CRegWizStep3;

} // namespace murmex
