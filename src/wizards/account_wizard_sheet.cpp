#include "wizards/account_wizard_sheet.h"

#include "wizards/account_wizard_page.h"

namespace murmex {

CAccountWizardSheet::CAccountWizardSheet(const SWizardServices& services, QWidget* parent)
    : CWizardSheet(parent), m_state(services) {
    // Modal however it is shown: a caller may show it first to place it.
    setModal(true);
}

void CAccountWizardSheet::reject() {
    if (auto* page = qobject_cast<CAccountWizardPage*>(ActivePage()); page && page->IsWaiting())
        return;
    CWizardSheet::reject();
}

} // namespace murmex
