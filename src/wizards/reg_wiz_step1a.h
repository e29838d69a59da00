#pragma once

#include "wizards/account_wizard_page.h"

class QPushButton;

namespace murmex {

// Page 169: the computer is offline. "Łącz z Internetem" dials; once the
// Internet is there, Next connects to the service and goes on to the account.
class CRegWizStep1A : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep1A(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;

    QPushButton* DialButton() const { return m_dial; }
    void Dial();

protected:
    // Whether a dialling that brought no connection is reported (message 202).
    CRegWizStep1A(SWizardState& state, bool reportFailure, QWidget* parent);

private:
    bool m_reportFailure;
    QPushButton* m_dial = nullptr;
};

// The add-user wizard's page 169: the system brings up its default
// connection; a failure is not reported, the page simply stays.
class CAddUserWizStep1A final : public CRegWizStep1A {
    Q_OBJECT

public:
    explicit CAddUserWizStep1A(SWizardState& state, QWidget* parent = nullptr);
};

} // namespace murmex
