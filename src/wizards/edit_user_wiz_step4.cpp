#include "wizards/edit_user_wiz_step4.h"

#include "model/user_record.h"
#include "storage/dictionaries.h"
#include "ui/local_text.h"
#include "wizards/dict_controls.h"
#include "wizards/reg_wiz_step5.h"
#include "wizards/wizard_texts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace murmex {

CEditUserWizStep4::CEditUserWizStep4(CEditUserWizDialog& dialog, QWidget* parent)
    : CEditUserWizTab(dialog, parent) {
    auto* intro = new QLabel(FromUtf8(wizard_texts::kInterestsIntro));
    intro->setTextFormat(Qt::PlainText);
    Column()->addWidget(intro);
    m_interests = new CDictCheckBoxes(DictInterestance, CRegWizStep5::kMaxInterests, 3);
    Column()->addWidget(m_interests, 1);
    connect(m_interests, &CDictCheckBoxes::Clicked, this, &CEditUserWizStep4::Edited);
}

void CEditUserWizStep4::Load(const CUserRecord& user) {
    m_interests->Build();
    m_interests->SetTickedKeys(user.Interests());
}

void CEditUserWizStep4::Store(CUserRecord& user) {
    user.SetInterests(m_interests->TickedKeys());
}

} // namespace murmex
