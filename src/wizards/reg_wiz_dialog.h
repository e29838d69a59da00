#pragma once

#include "ui/wizard_sheet.h"
#include "wizards/wizard_state.h"

namespace murmex {

// The registration wizard of the first run: how this computer reaches the
// Internet, then a new account or an existing one, then the optional profile.
// exec() gives Accepted after "Zakończ"; User() then holds the account (with
// a QID when the member identified himself). Nothing is registered here.
class CRegWizDialog : public CWizardSheet {
    Q_OBJECT

public:
    explicit CRegWizDialog(const SWizardServices& services, QWidget* parent = nullptr);

    CUserRecord& User() { return m_state.user; }
    bool AlreadyRegistered() const { return m_state.alreadyRegistered; }
    SWizardState& State() { return m_state; }

private:
    SWizardState m_state;
};

} // namespace murmex
