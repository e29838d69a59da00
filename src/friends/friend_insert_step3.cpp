#include "friends/friend_insert_step3.h"

#include "friends/add_friend_texts.h"
#include "friends/add_group_dialog.h"
#include "model/data_manager.h"
#include "ui/local_text.h"
#include "ui/wizard_sheet.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CFriendInsertStep3::CFriendInsertStep3(SFriendInsertState& state, QWidget* parent)
    : CFriendInsertPage(state, kTextFriendGroupQuestion, parent) {
    m_groups = new QComboBox;
    m_groups->setAccessibleName(FromUtf8(kTextFriendGroupQuestion));
    m_groups->setMinimumWidth(220);
    m_newGroup = new QPushButton(FromUtf8(kTextNewGroupButton));
    auto* row = new QHBoxLayout;
    row->addWidget(m_groups, 1);
    row->addWidget(m_newGroup);
    Column()->addLayout(row);
    Column()->addStretch(1);
    connect(m_newGroup, &QPushButton::clicked, this, &CFriendInsertStep3::NewGroup);
}

void CFriendInsertStep3::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonFinish);
    if (!m_filled) {
        m_filled = true;
        FillGroups();
        m_groups->setCurrentIndex(m_groups->count() > 0 ? 0 : -1);
    }
}

void CFriendInsertStep3::FillGroups() {
    m_groups->clear();
    for (const SChoice& group : Data().GroupsChoice())
        m_groups->addItem(FromLocal(group.text), group.id);
}

void CFriendInsertStep3::NewGroup() {
    QPointer<CFriendInsertStep3> self(this);
    CAddGroupDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted || !self)
        return;
    Data().NewGroup(ToLocal(dialog.GroupName()));
    FillGroups();
    m_groups->setCurrentIndex(m_groups->count() - 1);
}

int CFriendInsertStep3::OnBack() {
    return State().serviceUser ? kPageFriendIdentify : kPageFriendLocal;
}

bool CFriendInsertStep3::OnFinish() {
    if (m_groups->currentIndex() < 0) {
        ShowMessage(kTextGroupRequired);
        return false;
    }
    State().chosenGroup = m_groups->currentData().toInt();
    return true;
}

} // namespace murmex
