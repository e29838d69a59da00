#pragma once

#include "ui/skin_dialog.h"

class QPushButton;

namespace murmex {

// Asked before quitting while a dial-up call is being timed: quitting stops
// the counter. "Tak" accepts (quit), "Nie" rejects.
class CExitConfirmDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 242;

    explicit CExitConfirmDialog(QWidget* parent = nullptr);

    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }

private:
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
};

} // namespace murmex
