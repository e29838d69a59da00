#include "wizards/reg_wiz_step3.h"

#include "ui/wizard_sheet.h"
#include "wizards/personal_form.h"
#include "wizards/wizard_texts.h"

#include <QVBoxLayout>

namespace murmex {

CRegWizStep3::CRegWizStep3(SWizardState& state, QWidget* parent)
    : CAccountWizardPage(state, parent) {
    AddTitle(wizard_texts::kPersonalIntro);
    m_form = new CPersonalForm(false);
    Column()->addWidget(m_form, 1);
}

void CRegWizStep3::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    m_form->FillLists();
}

int CRegWizStep3::OnNext() {
    m_form->StorePersonal(State().user, false);
    return kPageProfile;
}

int CRegWizStep3::OnBack() {
    m_form->StorePersonal(State().user, false);
    return kPageOptional;
}

} // namespace murmex
