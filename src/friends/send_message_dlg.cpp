#include "friends/send_message_dlg.h"

#include "friends/message_texts.h"
#include "friends/message_windows.h"
#include "model/user_record.h"
#include "ui/local_text.h"

#include <QPushButton>

namespace murmex {

CSendMessageDlg::CSendMessageDlg(CMessageWindows& windows)
    : CSendWindowBase(windows, kTextRecipientEmail) {
    setWindowTitle(FromUtf8(kTextSendMessageTitle));
    m_send = MakeButton(kTextSend);
    m_send->setDefault(true);
    m_history = MakeButton(kTextHistory);
    m_sendSms = MakeButton(kTextSendSms);
    m_sendSms->setEnabled(false);
    PlaceButtons({m_send, CancelButton(), InfoButton(), m_history, m_sendSms});
    connect(m_send, &QPushButton::clicked, this, [this] { Send(EKind::kMessage); });
    connect(m_sendSms, &QPushButton::clicked, this, [this] { Send(EKind::kSms); });
    connect(m_history, &QPushButton::clicked, this, [this] {
        if (Recipient() != 0 && m_windows.Services().openFriendDetails)
            m_windows.Services().openFriendDetails(Recipient(), kDetailsPageHistory);
    });
}

std::string CSendMessageDlg::DetailOf(const CUserRecord& user) const {
    return user.Email();
}

void CSendMessageDlg::RecipientChanged(const CUserRecord& user) {
    m_sendSms->setEnabled(user.CanReceiveSms());
}

} // namespace murmex
