#pragma once

#include "ui/skin_dialog.h"

class QLabel;
class QPushButton;

namespace murmex {

// A yes/no question before something that cannot be undone: "Tak" accepts,
// "Nie", Escape and the close button reject. "Nie" is the default, so a stray
// Enter changes nothing.
class CQuestionDialog : public CSkinDialog {
    Q_OBJECT

public:
    explicit CQuestionDialog(const QString& question, QWidget* parent = nullptr);

    // Asks modally over `owner` (may be null); true for "Tak".
    static bool Ask(QWidget* owner, const QString& question);

    QString Text() const;
    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }

private:
    QLabel* m_text = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
};

} // namespace murmex
