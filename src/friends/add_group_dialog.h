#pragma once

#include "ui/skin_dialog.h"

class QLineEdit;
class QPushButton;

namespace murmex {

// Asks for the name of a new friend group. The name is taken as typed, up to
// 32 characters; an empty one is allowed.
class CAddGroupDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 327;
    static constexpr int kMaxNameLength = 32;

    explicit CAddGroupDlg(QWidget* parent = nullptr);

    QString GroupName() const;
    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QLineEdit* m_name = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace murmex
