#pragma once

#include "ui/sheet_base.h"

class QPushButton;
class QTabBar;

namespace murmex {

// The host of tabbed pages: a tab strip with one tab per page, the pages at
// (20, 45), and the buttons "OK", "Anuluj" and "Zastosuj". The owner derives
// from it and overrides Apply. exec() gives Accepted after "OK".
class CTabSheet : public CSheetBase {
    Q_OBJECT

public:
    enum EButtons : int {
        kTabButtonsOkOnly = 0,
        kTabButtonCancel = 1,
        kTabButtonApply = 2,
        kTabButtonsAll = kTabButtonCancel | kTabButtonApply,
    };
    // Control ids.
    static constexpr int kIdTabStrip = 140;
    static constexpr int kIdCancel = 141;
    static constexpr int kIdOk = 142;
    static constexpr int kIdApply = 143;

    explicit CTabSheet(QWidget* parent = nullptr, int buttons = kTabButtonsAll,
                       int skinFlags = kSkinDefault);
    ~CTabSheet() override;

    // The sheet takes the page as a child. Pages are added before the sheet is shown.
    void AddPage(CSheetPage* page, int resourceId, const QString& tabName);

    CSheetPage* ActivePage() const { return ActiveSheetPage(); }
    // Selects the tab; hides the current page, activates and shows that one.
    bool SetActivePage(int index) override;

    QTabBar* TabBar() const { return m_tabBar; }
    QWidget* TabFrame() const { return m_tabFrame; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* ApplyButton() const { return m_apply; }

    // What the three buttons do.
    void Ok();
    void ApplyClicked();
    void Cancel();

    void reject() override;

protected:
    // Takes the pages' data over; the owner's to fill. "OK" closes afterwards
    // whatever came of it.
    // Apply may wait for the server with the event loop turning.
    virtual void Apply() {}

private:
    void LayoutControls() override;
    void OnTabChanged(int index);

    QWidget* m_tabFrame = nullptr;
    QTabBar* m_tabBar = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace murmex
