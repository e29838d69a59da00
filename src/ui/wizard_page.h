#pragma once

#include "ui/sheet_page.h"

namespace murmex {

class CWizardSheet;

// A wizard page. On activation it sets the sheet's buttons (SetWizardButtons);
// its Next and Back handlers tell the sheet where to go.
class CWizardPage : public CSheetPage {
    Q_OBJECT

public:
    // What OnNext and OnBack return besides a page's resource number.
    static constexpr int kStay = -1;
    static constexpr int kAdjacent = 0;

    explicit CWizardPage(QWidget* parent = nullptr) : CSheetPage(parent) {}

    // Sets the button mode; every page decides its own.
    void OnActivate() override = 0;
    // kStay, kAdjacent (the following page) or the resource number of the page to show.
    virtual int OnNext() { return kAdjacent; }
    // kStay, kAdjacent (the preceding page) or the resource number of the page to show.
    virtual int OnBack() { return kAdjacent; }
    // Asked on "Zakończ": true closes the wizard as finished.
    virtual bool OnFinish() { return true; }

    CWizardSheet* Sheet() const { return m_sheet; }

protected:
    // CWizardSheet::kButtonBack | kButtonNext | kButtonFinish; nothing without a sheet.
    void SetWizardButtons(int mode);

private:
    friend class CWizardSheet;
    CWizardSheet* m_sheet = nullptr;
};

} // namespace murmex
