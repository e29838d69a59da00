#pragma once

#include "wizards/account_wizard_page.h"

#include <string>
#include <vector>

class QListWidget;

namespace murmex {

// Page 101: the welcome and the choice of how this computer reaches the
// Internet: the system's dial-up entries and "Sieć lokalna" last.
class CRegWizWelcome : public CAccountWizardPage {
    Q_OBJECT

public:
    explicit CRegWizWelcome(SWizardState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;

    QListWidget* Connections() const { return m_list; }

private:
    QListWidget* m_list = nullptr;
    std::vector<std::string> m_entries; // the dial-up entries shown, Windows-1250
};

} // namespace murmex
