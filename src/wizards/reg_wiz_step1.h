#pragma once

#include "wizards/account_wizard_page.h"

class QRadioButton;

namespace murmex {

// Page 135: "already registered?". Next checks the Internet and the link to
// the service and goes on to the new-account or the existing-account page, or
// to page 169 when the computer is offline.
class CRegWizStep1 : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizStep1(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;

    QRadioButton* NoButton() const { return m_no; }
    QRadioButton* YesButton() const { return m_yes; }

protected:
    // The add-user wizard's first page says it differently and has no page before it.
    CRegWizStep1(SWizardState& state, std::string_view noteUtf8, int buttonMode, QWidget* parent);

private:
    int m_buttonMode;
    QRadioButton* m_no = nullptr;
    QRadioButton* m_yes = nullptr;
};

// Page 252: the add-user wizard's first page, the same question.
class CAddUserWizStep1 final : public CRegWizStep1 {
    Q_OBJECT

public:
    explicit CAddUserWizStep1(SWizardState& state, QWidget* parent = nullptr);
};

} // namespace murmex
