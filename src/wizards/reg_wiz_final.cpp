#include "wizards/reg_wiz_final.h"

#include "ui/wizard_sheet.h"
#include "wizards/wizard_texts.h"

#include <QVBoxLayout>

namespace murmex {

CRegWizFinal::CRegWizFinal(SWizardState& state, QWidget* parent)
    : CAccountWizardPage(state, parent) {
    AddTitle(wizard_texts::kFinalCollected);
    Column()->addSpacing(8);
    AddText(wizard_texts::kFinalThanks);
    Column()->addStretch(1);
}

void CRegWizFinal::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonFinish);
}

int CRegWizFinal::OnBack() {
    return State().alreadyRegistered ? kPageExistingAccount : kAdjacent;
}

} // namespace murmex
