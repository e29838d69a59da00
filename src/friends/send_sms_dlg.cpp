#include "friends/send_sms_dlg.h"

#include "friends/message_texts.h"
#include "model/user_record.h"
#include "ui/local_text.h"

#include <QPushButton>

namespace murmex {

CSendSmsDlg::CSendSmsDlg(CMessageWindows& windows)
    : CSendWindowBase(windows, kTextRecipientCellPhone) {
    setWindowTitle(FromUtf8(kTextSendSmsTitle));
    m_sendSms = MakeButton(kTextSendSms);
    m_sendSms->setDefault(true);
    PlaceButtons({m_sendSms, CancelButton(), InfoButton()});
    connect(m_sendSms, &QPushButton::clicked, this, [this] { Send(EKind::kSms); });
}

std::string CSendSmsDlg::DetailOf(const CUserRecord& user) const {
    return user.CellPhone();
}

} // namespace murmex
