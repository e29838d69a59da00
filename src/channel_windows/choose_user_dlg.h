#pragma once

#include "ui/skin_dialog.h"

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace murmex {

class CDataManager;

// Who was chosen in the choose-user dialog. The caller decides which of the
// ways to take: a friend first, then a typed QID, then nick and e-mail.
struct SChosenUser {
    int friendQid = 0; // 0: no friend chosen
    int qid = 0;       // 0: none typed (or not a number)
    std::string nick;  // Windows-1250
    std::string email; // Windows-1250
};

// Picks a user (262): one of the friends from the drop-down, or another
// member given by QID, or by nick and e-mail. Modal; it asks nothing itself.
class CChooseUserDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 262;

    explicit CChooseUserDlg(CDataManager& data, QWidget* parent = nullptr);

    SChosenUser Chosen() const;

    QComboBox* FriendList() const { return m_friends; }
    QLineEdit* QidEdit() const { return m_qid; }
    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QComboBox* m_friends = nullptr;
    QLineEdit* m_qid = nullptr;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace murmex
