#include "friends/friend_insert_step1.h"

#include "friends/add_friend_texts.h"
#include "ui/local_text.h"
#include "ui/texts.h"
#include "ui/wizard_sheet.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace murmex {

CFriendInsertStep1::CFriendInsertStep1(SFriendInsertState& state, QWidget* parent)
    : CFriendInsertPage(state, kTextFriendRegisteredQuestion, parent) {
    m_yes = new QRadioButton(FromUtf8(kTextYes));
    m_no = new QRadioButton(FromUtf8(kTextNo));
    auto* group = new QButtonGroup(this);
    group->addButton(m_yes);
    group->addButton(m_no);
    Column()->addWidget(m_yes);
    Column()->addWidget(m_no);
    Column()->addStretch(1);
}

void CFriendInsertStep1::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonNext);
    const bool online = !State().services.internetUp || State().services.internetUp();
    m_yes->setEnabled(online);
    (online ? m_yes : m_no)->setChecked(true);
}

int CFriendInsertStep1::OnNext() {
    State().serviceUser = m_yes->isChecked() && m_yes->isEnabled();
    return State().serviceUser ? kPageFriendIdentify : kPageFriendLocal;
}

} // namespace murmex
