#pragma once

#include "ui/skin_dialog.h"

class QLineEdit;
class QPushButton;

namespace murmex {

// Asks for the service password when the local user keeps none.
class CPasswordDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 244;
    static constexpr int kMaxLength = 32;

    explicit CPasswordDialog(QWidget* parent = nullptr);

    QString Password() const;

    QLineEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_field = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace murmex
