#pragma once

#include "wizards/account_wizard_page.h"

namespace murmex {

class CDictCheckBoxes;

// Page 168: "Wybierz swoje zainteresowania:", up to 24 interests.
class CRegWizStep5 : public CAccountWizardPage {
    Q_OBJECT

public:
    static constexpr int kMaxInterests = 24;

    explicit CRegWizStep5(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override;

    CDictCheckBoxes* Interests() const { return m_interests; }

private:
    CDictCheckBoxes* m_interests = nullptr;
};

using CAddUserWizStep5 = CRegWizStep5;

} // namespace murmex
