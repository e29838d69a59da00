#include "wizards/reg_wiz_step2b.h"

#include "wizards/wizard_texts.h"

#include <QVBoxLayout>

namespace murmex {

CRegWizStep2B::CRegWizStep2B(SWizardState& state, QWidget* parent)
    : CAccountWizardPage(state, parent) {
    AddTitle(wizard_texts::kOptionalTitle);
    AddText(wizard_texts::kOptionalNotice);
    Column()->addStretch(1);
}

} // namespace murmex
