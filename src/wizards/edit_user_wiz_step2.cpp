#include "wizards/edit_user_wiz_step2.h"

#include "wizards/personal_form.h"

#include <QVBoxLayout>

namespace murmex {

CEditUserWizStep2::CEditUserWizStep2(CEditUserWizDialog& dialog, QWidget* parent)
    : CEditUserWizTab(dialog, parent) {
    m_form = new CPersonalForm(true);
    Column()->addWidget(m_form, 1);
    connect(m_form, &CPersonalForm::Edited, this, &CEditUserWizStep2::Edited);
}

void CEditUserWizStep2::Load(const CUserRecord& user) {
    m_form->FillLists();
    m_form->Load(user);
}

void CEditUserWizStep2::Store(CUserRecord& user) {
    m_form->StorePersonal(user, true);
    m_form->StoreContact(user);
}

} // namespace murmex
