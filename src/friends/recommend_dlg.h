#pragma once

#include "ui/skin_dialog.h"

class QLineEdit;
class QPushButton;

namespace murmex {

class CAnimation;
class CDataManager;

// Asks the service to send a description of the program, with what is needed
// to install it, to an e-mail address. The answer is not reported and the
// address is taken as typed.
class CRecommendDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 395;

    explicit CRecommendDlg(CDataManager& data, QWidget* parent = nullptr);

    QLineEdit* EmailField() const { return m_email; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    CAnimation* Animation() const { return m_animation; }
    bool IsSending() const { return m_sending; }

private:
    void Send();

    CDataManager& m_data;
    bool m_sending = false;
    QLineEdit* m_email = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
