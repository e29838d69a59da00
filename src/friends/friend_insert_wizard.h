#pragma once

#include "friends/friend_insert_state.h"
#include "ui/wizard_sheet.h"

namespace murmex {

class CFriendInsertStep1;
class CFriendInsertStep2;
class CFriendInsertStep2A;
class CFriendInsertStep3;

// The add-friend wizard (383): a member of the service or a contact of this
// computer, into a group given in advance or chosen on the last page.
// exec() gives Accepted after "Zakończ"; AddChosenFriend then files the friend.
class CFriendInsertWizard : public CWizardSheet {
    Q_OBJECT

public:
    static constexpr int kResourceId = 383;

    // The result of filing the friend.
    struct SAdded {
        int result = 0; // the data manager's: below 1 is a failure
        int qid = 0;
        int groupId = 0;
    };

    // groupId 0: no group given in advance.
    CFriendInsertWizard(SFriendInsertServices services, int groupId, QWidget* parent = nullptr);

    // "Anuluj", Escape and the close button; refused while a page asks the service.
    void reject() override;

    // After Finish: adds the member (which tells the service) or the local
    // contact (which does not) to the target group. On failure shows
    // "Nie mogę dodać znajomego.".
    SAdded AddChosenFriend();

    const SFriendInsertState& State() const { return m_state; }
    CFriendInsertStep1* Step1() const { return m_step1; }
    CFriendInsertStep2* Step2() const { return m_step2; }
    CFriendInsertStep2A* Step2A() const { return m_step2a; }
    CFriendInsertStep3* Step3() const { return m_step3; }

private:
    SFriendInsertState m_state;
    CFriendInsertStep1* m_step1 = nullptr;
    CFriendInsertStep2* m_step2 = nullptr;
    CFriendInsertStep2A* m_step2a = nullptr;
    CFriendInsertStep3* m_step3 = nullptr;
};

} // namespace murmex
