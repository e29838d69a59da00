#pragma once

#include "ui/sheet_base.h"

class QPushButton;

namespace murmex {

class CWizardPage;

// The host of a wizard's pages: one page at a time at (20, 40), a rule, and the
// buttons "< Wstecz", "Dalej >" (or "Zakończ") and "Anuluj". Pages name each
// other by their resource numbers. exec() gives Accepted when the wizard was
// finished and Rejected when it was cancelled.
class CWizardSheet : public CSheetBase {
    Q_OBJECT

public:
    // Button mode bits, set by a page on activation.
    enum EButtonMode : int {
        kButtonBack = 1,   // "< Wstecz" enabled
        kButtonNext = 2,   // "Dalej >" enabled
        kButtonFinish = 4, // "Dalej >" reads "Zakończ", is enabled and finishes
    };
    // Control ids of the buttons.
    static constexpr int kIdCancel = 137;
    static constexpr int kIdBack = 138;
    static constexpr int kIdNext = 139;

    explicit CWizardSheet(QWidget* parent = nullptr, int skinFlags = kSkinDefault);
    ~CWizardSheet() override;

    // The sheet takes the page as a child. Pages are added before the sheet is shown.
    void AddPage(CWizardPage* page, int resourceId);

    CWizardPage* ActivePage() const;

    // Hides the current page, shows and activates the one at `index` (the same
    // page again is shown and activated again). An index outside the pages
    // changes nothing and gives false.
    bool SetActivePage(int index) override;
    bool SetActivePageById(int resourceId);

    void SetButtonMode(int mode);
    int ButtonMode() const { return m_mode; }
    bool IsFinishing() const { return (m_mode & kButtonFinish) != 0; }

    QPushButton* BackButton() const { return m_back; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* CancelButton() const { return m_cancel; }
    QWidget* Rule() const { return m_rule; }

    // What the three buttons do.
    void Next();
    void Back();
    // Closes the wizard; asks first when the user typed something into it.
    void Cancel();
    bool HoldsTypedText() const;

    // "Anuluj", Escape and the close button all cancel.
    void reject() override;

private:
    void LayoutControls() override;
    void Navigate(int result, int adjacentIndex);

    int m_mode = 0;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_rule = nullptr;
};

} // namespace murmex
