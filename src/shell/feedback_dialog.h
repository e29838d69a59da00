#pragma once

#include "ui/skin_dialog.h"

class QPlainTextEdit;
class QPushButton;

namespace murmex {

class CDataManager;
class IMessageBox;

// The user's remarks to the service's authors, sent with one command.
// "Wyślij" closes the dialog once the remarks are sent. A failure is told in
// the message box and leaves the dialog open with the text, to try again.
class CFeedbackDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 401;
    static constexpr int kMaxLength = 1000;

    CFeedbackDialog(CDataManager& data, IMessageBox& messageBox, QWidget* parent = nullptr);

    QPlainTextEdit* Field() const { return m_field; }
    QPushButton* SendButton() const { return m_send; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    void Send();
    void SetControlsEnabled(bool enabled);
    void UpdateSendButton();
    void LimitLength();

    CDataManager& m_data;
    IMessageBox& m_messageBox;
    QPlainTextEdit* m_field = nullptr;
    QPushButton* m_send = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace murmex
