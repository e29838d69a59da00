#include "wizards/add_user_wiz_dialog.h"

#include "wizards/reg_wiz_final.h"
#include "wizards/reg_wiz_step1.h"
#include "wizards/reg_wiz_step1a.h"
#include "wizards/reg_wiz_step2.h"
#include "wizards/reg_wiz_step2a.h"
#include "wizards/reg_wiz_step2b.h"
#include "wizards/reg_wiz_step3.h"
#include "wizards/reg_wiz_step4.h"
#include "wizards/reg_wiz_step5.h"

namespace murmex {

CAddUserWizDialog::CAddUserWizDialog(const SWizardServices& services, QWidget* parent)
    : CAccountWizardSheet(services, parent) {
    setObjectName(QStringLiteral("addUserWizard"));
    AddPage(new CAddUserWizStep1(m_state), kPageAddUserRegistered);
    AddPage(new CAddUserWizStep1A(m_state), kPageOffline);
    AddPage(new CAddUserWizStep2(m_state), kPageNewAccount);
    AddPage(new CAddUserWizStep2A(m_state), kPageExistingAccount);
    AddPage(new CAddUserWizStep3B(m_state), kPageOptional);
    AddPage(new CAddUserWizStep3(m_state), kPagePersonal);
    AddPage(new CAddUserWizStep4(m_state), kPageProfile);
    AddPage(new CAddUserWizStep5(m_state), kPageInterests);
    AddPage(new CAddUserWizFinal(m_state), kPageFinal);
}

} // namespace murmex
