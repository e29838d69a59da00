#include "wizards/reg_wiz_step4.h"

#include "ui/wizard_sheet.h"
#include "wizards/profile_form.h"
#include "wizards/wizard_texts.h"

#include <QVBoxLayout>

namespace murmex {

CRegWizStep4::CRegWizStep4(SWizardState& state, QWidget* parent)
    : CAccountWizardPage(state, parent) {
    AddTitle(wizard_texts::kProfileIntro);
    m_form = new CProfileForm;
    Column()->addWidget(m_form, 1);
}

void CRegWizStep4::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    m_form->FillLists();
}

int CRegWizStep4::OnNext() {
    m_form->Store(State().user, false);
    return kAdjacent;
}

int CRegWizStep4::OnBack() {
    m_form->Store(State().user, false);
    return kAdjacent;
}

} // namespace murmex
