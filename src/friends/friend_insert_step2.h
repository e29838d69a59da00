#pragma once

#include "friends/friend_insert_page.h"

class QLineEdit;
class QRadioButton;

namespace murmex {

// Page 316: which member to add, by QID or by nick and e-mail. The member is
// looked up on the service and refused when it is the local user or already
// a friend; the page stays with the reason then.
class CFriendInsertStep2 : public CFriendInsertPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = kPageFriendIdentify;

    explicit CFriendInsertStep2(SFriendInsertState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override { return kPageFriendQuestion; }
    bool OnFinish() override;

    QRadioButton* ByQidButton() const { return m_byQid; }
    QRadioButton* ByNickButton() const { return m_byNick; }
    QLineEdit* QidEdit() const { return m_qid; }
    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }

private:
    void ChoiceChanged();
    // Looks the member up and checks it; true with the found QID remembered.
    bool Identify();

    bool m_shown = false;
    QRadioButton* m_byQid = nullptr;
    QRadioButton* m_byNick = nullptr;
    QLineEdit* m_qid = nullptr;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
};

} // namespace murmex
