#include "wizards/reg_wiz_step5.h"

#include "model/user_record.h"
#include "storage/dictionaries.h"
#include "ui/wizard_sheet.h"
#include "wizards/dict_controls.h"
#include "wizards/wizard_texts.h"

#include <QVBoxLayout>

namespace murmex {

constexpr int kInterestColumns = 3;

CRegWizStep5::CRegWizStep5(SWizardState& state, QWidget* parent)
    : CAccountWizardPage(state, parent) {
    AddTitle(wizard_texts::kInterestsIntro);
    m_interests = new CDictCheckBoxes(DictInterestance, kMaxInterests, kInterestColumns);
    Column()->addWidget(m_interests, 1);
}

void CRegWizStep5::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    m_interests->Build();
}

int CRegWizStep5::OnNext() {
    State().user.SetInterests(m_interests->TickedKeys());
    return kAdjacent;
}

int CRegWizStep5::OnBack() {
    State().user.SetInterests(m_interests->TickedKeys());
    return kAdjacent;
}

} // namespace murmex
