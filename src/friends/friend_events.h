#pragma once

#include "ui/sheet_page.h"

class QCheckBox;
class QLabel;

namespace murmex {

class CFriendDetailsDlg;

// "Przypomnienia" (service users only): whether the service tells the local
// user, by e-mail or SMS, when the friend comes online. Each change of a
// method is sent to the service at once.
class CFriendEvents : public CSheetPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = 289;

    explicit CFriendEvents(CFriendDetailsDlg& dialog, QWidget* parent = nullptr);

    void OnActivate() override;

    QCheckBox* NotifyBox() const { return m_notify; }
    QCheckBox* EmailBox() const { return m_email; }
    QCheckBox* SmsBox() const { return m_sms; }

private:
    void UpdateMethods();
    // Both method boxes into the record's flags; only a flag that changes is sent.
    void ApplyMethods();

    CFriendDetailsDlg& m_dialog;
    QCheckBox* m_notify = nullptr;
    QLabel* m_methodLabel = nullptr;
    QCheckBox* m_email = nullptr;
    QCheckBox* m_sms = nullptr;
};

} // namespace murmex
