#pragma once

#include "friends/send_window_base.h"

namespace murmex {

// Writes an SMS to a friend through the service.
class CSendSmsDlg : public CSendWindowBase {
    Q_OBJECT

public:
    static constexpr int kResourceId = 319;

    explicit CSendSmsDlg(CMessageWindows& windows);

    QPushButton* SendSmsButton() const { return m_sendSms; }

protected:
    // The number the service holds for the friend.
    std::string DetailOf(const CUserRecord& user) const override;
    void RecipientChanged(const CUserRecord&) override {}

private:
    QPushButton* m_sendSms = nullptr;
};

} // namespace murmex
