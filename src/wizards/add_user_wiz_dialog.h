#pragma once

#include "wizards/account_wizard_sheet.h"

namespace murmex {

// The wizard that brings another member onto a computer that has local users
// already: the registration wizard without its welcome page (the connection
// settings stay as they are). exec() gives Accepted after "Zakończ".
class CAddUserWizDialog : public CAccountWizardSheet {
    Q_OBJECT

public:
    explicit CAddUserWizDialog(const SWizardServices& services, QWidget* parent = nullptr);
};

} // namespace murmex
