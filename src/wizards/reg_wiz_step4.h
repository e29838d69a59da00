#pragma once

#include "wizards/account_wizard_page.h"

namespace murmex {

class CProfileForm;

// Page 143: city size, job, education and up to 12 languages.
class CRegWizStep4 : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep4(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override;

    CProfileForm* Form() const { return m_form; }

private:
    CProfileForm* m_form = nullptr;
};

using CAddUserWizStep4 = CRegWizStep4;

} // namespace murmex
