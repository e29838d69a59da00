#pragma once

#include "ui/skin_dialog.h"

class QCheckBox;
class QPushButton;

namespace murmex {

// Asks whether the program should start with the desktop session. "Tak"
// accepts, "Nie" rejects; both first take the state of the "do not ask
// again" box, which closing the window by other means leaves unticked.
class CAutorunQuestionDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 313;

    explicit CAutorunQuestionDialog(QWidget* parent = nullptr);

    bool DontAskAgain() const { return m_dontAsk; }

    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }
    QCheckBox* DontAskBox() const { return m_box; }

private:
    void Answer(bool yes);

    QCheckBox* m_box = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
    bool m_dontAsk = false;
};

} // namespace murmex
