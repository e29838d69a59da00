#pragma once

#include "wizards/account_wizard_sheet.h"

namespace murmex {

// The registration wizard of the first run: how this computer reaches the
// Internet, then a new account or an existing one, then the optional profile.
// exec() gives Accepted after "Zakończ"; User() then holds the account (with
// a QID when the member identified himself). Nothing is registered here.
class CRegWizDialog : public CAccountWizardSheet {
    Q_OBJECT

public:
    explicit CRegWizDialog(const SWizardServices& services, QWidget* parent = nullptr);
};

} // namespace murmex
