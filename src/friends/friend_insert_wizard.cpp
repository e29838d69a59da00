#include "friends/friend_insert_wizard.h"

#include "friends/add_friend_texts.h"
#include "friends/friend_insert_step1.h"
#include "friends/friend_insert_step2.h"
#include "friends/friend_insert_step2a.h"
#include "friends/friend_insert_step3.h"
#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "session/shell_texts.h"
#include "ui/local_text.h"

namespace murmex {

CFriendInsertWizard::CFriendInsertWizard(SFriendInsertServices services, int groupId,
                                         QWidget* parent)
    : CWizardSheet(parent), m_state(std::move(services), groupId) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextAddFriendTitle));
    SetCaptionText(FromUtf8(kTextAddFriendTitle));
    m_step1 = new CFriendInsertStep1(m_state);
    m_step2 = new CFriendInsertStep2(m_state);
    m_step2a = new CFriendInsertStep2A(m_state);
    m_step3 = new CFriendInsertStep3(m_state);
    AddPage(m_step1, CFriendInsertStep1::kResourceId);
    AddPage(m_step2, CFriendInsertStep2::kResourceId);
    AddPage(m_step2a, CFriendInsertStep2A::kResourceId);
    AddPage(m_step3, CFriendInsertStep3::kResourceId);
}

void CFriendInsertWizard::reject() {
    if (auto* page = qobject_cast<CFriendInsertPage*>(ActivePage()); page && page->IsWaiting())
        return;
    CWizardSheet::reject();
}

CFriendInsertWizard::SAdded CFriendInsertWizard::AddChosenFriend() {
    CDataManager& data = m_state.services.data;
    SAdded added;
    added.groupId = m_state.TargetGroup();
    if (m_state.serviceUser) {
        added.qid = m_state.foundQid;
        added.result = data.AddFriend(added.qid, added.groupId);
    } else {
        added.result = data.AddLocalContact(m_state.local, added.groupId);
        added.qid = added.result > 0 ? added.result : 0;
    }
    if (added.result < 1)
        m_state.services.messageBox.ShowMessage(kTextCannotAddFriend);
    return added;
}

} // namespace murmex
