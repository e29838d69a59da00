#pragma once

#include "friends/friend_insert_page.h"

class QRadioButton;

namespace murmex {

// Page 314: is the friend a member of the service? Without an Internet
// connection only "Nie" (a contact of this computer) can be chosen.
class CFriendInsertStep1 : public CFriendInsertPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = kPageFriendQuestion;

    explicit CFriendInsertStep1(SFriendInsertState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;

    QRadioButton* YesButton() const { return m_yes; }
    QRadioButton* NoButton() const { return m_no; }

private:
    QRadioButton* m_yes = nullptr;
    QRadioButton* m_no = nullptr;
};

} // namespace murmex
