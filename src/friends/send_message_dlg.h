#pragma once

#include "friends/send_window_base.h"

namespace murmex {

// Writes a message to a friend; "Wyślij SMS" sends the same text as an SMS
// when the friend can receive one.
class CSendMessageDlg : public CSendWindowBase {
    Q_OBJECT

public:
    static constexpr int kResourceId = 393;

    explicit CSendMessageDlg(CMessageWindows& windows);

    QPushButton* SendButton() const { return m_send; }
    QPushButton* HistoryButton() const { return m_history; }
    QPushButton* SendSmsButton() const { return m_sendSms; }

protected:
    std::string DetailOf(const CUserRecord& user) const override;
    void RecipientChanged(const CUserRecord& user) override;

private:
    QPushButton* m_send = nullptr;
    QPushButton* m_history = nullptr;
    QPushButton* m_sendSms = nullptr;
};

} // namespace murmex
