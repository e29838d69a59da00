#pragma once

#include "ui/wizard_sheet.h"
#include "wizards/wizard_state.h"

namespace murmex {

// What the registration and add-user wizards share: the account the pages
// fill, modality, and no way out while a page waits for the service or the
// dialler (its work would go on behind a closed window).
class CAccountWizardSheet : public CWizardSheet {
    Q_OBJECT

public:
    explicit CAccountWizardSheet(const SWizardServices& services, QWidget* parent = nullptr);

    CUserRecord& User() { return m_state.user; }
    SWizardState& State() { return m_state; }

    // "Anuluj", Escape and the close button; refused while the page waits.
    void reject() override;

protected:
    SWizardState m_state;
};

} // namespace murmex
