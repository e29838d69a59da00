#pragma once

#include "ui/skin_dialog.h"

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace murmex {

class CMessageWindows;
class CUserRecord;

// Shows one received message: the sender's nick and e-mail and the text. From
// here the user goes on to the next unread message, answers the sender, or
// adds a sender who is not a friend yet to the friends.
class CReadMessageDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 376;

    explicit CReadMessageDlg(CMessageWindows& windows);

    // Shows the inbox entry at this position and counts it as read. A
    // position the inbox does not hold (it may have changed) shows nothing.
    void ShowEntry(int messageIndex);
    int Entry() const { return m_index; }
    // The sender's record, or none when the sender is not known.
    const std::shared_ptr<CUserRecord>& Sender() const { return m_sender; }

    QLineEdit* NickField() const { return m_nick; }
    QLineEdit* EmailField() const { return m_email; }
    QPlainTextEdit* TextField() const { return m_text; }
    QPushButton* NextUnreadButton() const { return m_next; }
    QPushButton* ReplyButton() const { return m_reply; }
    QPushButton* CloseDialogButton() const { return m_close; }
    QPushButton* AddFriendButton() const { return m_addFriend; }

private:
    void ShowNextUnread();
    void Reply();
    void AddSenderToFriends();
    void SetDefaultButton(QPushButton* button);

    CMessageWindows& m_windows;
    int m_index = -1;
    int m_senderQid = 0;
    std::shared_ptr<CUserRecord> m_sender;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_reply = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_addFriend = nullptr;
};

} // namespace murmex
