#include "wizards/reg_wiz_dialog.h"

#include "wizards/reg_wiz_final.h"
#include "wizards/reg_wiz_step1.h"
#include "wizards/reg_wiz_step1a.h"
#include "wizards/reg_wiz_step2.h"
#include "wizards/reg_wiz_step2a.h"
#include "wizards/reg_wiz_step2b.h"
#include "wizards/reg_wiz_step3.h"
#include "wizards/reg_wiz_step4.h"
#include "wizards/reg_wiz_step5.h"
#include "wizards/reg_wiz_welcome.h"

namespace murmex {

CRegWizDialog::CRegWizDialog(const SWizardServices& services, QWidget* parent)
    : CAccountWizardSheet(services, parent) {
    setObjectName(QStringLiteral("regWizard"));
    // The pages' order matters: "the following page" and "the preceding page" follow it.
    AddPage(new CRegWizWelcome(m_state), kPageWelcome);
    AddPage(new CRegWizStep1(m_state), kPageRegistered);
    AddPage(new CRegWizStep1A(m_state), kPageOffline);
    AddPage(new CRegWizStep2(m_state), kPageNewAccount);
    AddPage(new CRegWizStep2A(m_state), kPageExistingAccount);
    AddPage(new CRegWizStep2B(m_state), kPageOptional);
    AddPage(new CRegWizStep3(m_state), kPagePersonal);
    AddPage(new CRegWizStep4(m_state), kPageProfile);
    AddPage(new CRegWizStep5(m_state), kPageInterests);
    AddPage(new CRegWizFinal(m_state), kPageFinal);
}

} // namespace murmex
