#include "wizards/edit_user_wiz_step3.h"

#include "wizards/profile_form.h"

#include <QVBoxLayout>

namespace murmex {

CEditUserWizStep3::CEditUserWizStep3(CEditUserWizDialog& dialog, QWidget* parent)
    : CEditUserWizTab(dialog, parent) {
    m_form = new CProfileForm;
    Column()->addWidget(m_form, 1);
    connect(m_form, &CProfileForm::Edited, this, &CEditUserWizStep3::Edited);
}

void CEditUserWizStep3::Load(const CUserRecord& user) {
    m_form->FillLists();
    m_form->Load(user);
}

void CEditUserWizStep3::Store(CUserRecord& user) {
    m_form->Store(user, true);
}

} // namespace murmex
