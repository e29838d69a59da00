#pragma once

#include "ui/wizard_sheet.h"
#include "wizards/wizard_state.h"

namespace murmex {

// The wizard that brings another member onto a computer that has local users
// already: the registration wizard without its welcome page (the connection
// settings stay as they are). exec() gives Accepted after "Zakończ".
class CAddUserWizDialog : public CWizardSheet {
    Q_OBJECT

public:
    explicit CAddUserWizDialog(const SWizardServices& services, QWidget* parent = nullptr);

    CUserRecord& User() { return m_state.user; }
    bool AlreadyRegistered() const { return m_state.alreadyRegistered; }
    SWizardState& State() { return m_state; }

private:
    SWizardState m_state;
};

} // namespace murmex
