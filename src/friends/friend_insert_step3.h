#pragma once

#include "friends/friend_insert_page.h"

class QComboBox;
class QPushButton;

namespace murmex {

// Page 328: the group the friend goes into, or a new one made here.
class CFriendInsertStep3 : public CFriendInsertPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = kPageFriendGroup;

    explicit CFriendInsertStep3(SFriendInsertState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnBack() override;
    bool OnFinish() override;

    QComboBox* GroupList() const { return m_groups; }
    QPushButton* NewGroupButton() const { return m_newGroup; }

private:
    void FillGroups();
    void NewGroup();

    bool m_filled = false;
    QComboBox* m_groups = nullptr;
    QPushButton* m_newGroup = nullptr;
};

} // namespace murmex
