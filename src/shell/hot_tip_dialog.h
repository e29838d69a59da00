#pragma once

#include "ui/skin_dialog.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace murmex {

// The hint of the day, shown once at start-up. Walks the hints of misc.cfg
// from the stored index, wrapping round, and stores where the next start goes
// on. With no hints at all it closes at once and stores nothing.
class CHotTipDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 398;

    explicit CHotTipDialog(QWidget* parent = nullptr);

    // Runs the dialog; with no hints returns Rejected at once without showing it.
    int exec() override;

    bool HasHints() const { return m_hintCount > 0; }
    int Index() const { return m_index; }
    QString HintText() const;
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* OkButton() const { return m_ok; }
    QCheckBox* DisableBox() const { return m_disable; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowHint();
    // Moves by one hint, forward (+1) or back (-1), round at either end.
    void Step(int by);
    void StoreNextIndex();

    int m_index = 0;
    int m_hintCount = 0;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_ok = nullptr;
    QCheckBox* m_disable = nullptr;
};

} // namespace murmex
