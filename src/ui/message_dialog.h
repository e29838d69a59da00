#pragma once

#include "ui/skin_dialog.h"

class QLabel;
class QPushButton;

namespace murmex {

// The program's message box: the text and one "OK" button. However it is
// closed, it answers OK; callers never branch on it.
class CMessageDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 386;

    explicit CMessageDialog(const QString& text, QWidget* parent = nullptr);

    // Shows the box modally over `owner` (may be null) until it is closed.
    static void Show(QWidget* owner, const QString& text);

    QString Text() const;
    QPushButton* OkButton() const { return m_ok; }

    // Escape and the close button answer OK as well.
    void reject() override;

private:
    QLabel* m_text = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace murmex
