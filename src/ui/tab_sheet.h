#pragma once

#include "ui/skin_dialog.h"

#include <vector>

class QPushButton;
class QTabBar;

namespace murmex {

class CSheetPage;

// The host of tabbed pages: a tab strip with one tab per page, the pages at
// (20, 45), and the buttons "OK", "Anuluj" and "Zastosuj". The owner derives
// from it and overrides Apply. exec() gives Accepted after "OK".
class CTabSheet : public CSkinDialog {
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

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    int ActiveIndex() const { return m_active; }
    CSheetPage* ActivePage() const;
    int ActiveResourceId() const;
    int IndexOfResource(int resourceId) const;
    // Selects the tab; hides the current page, activates and shows that one.
    bool SetActivePage(int index);

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
    // The first showing lays the pages out and activates the first one.
    void setVisible(bool visible) override;

protected:
    // Takes the pages' data over; the owner's to fill. "OK" closes afterwards
    // whatever came of it.
    virtual void Apply() {}
    void resizeEvent(QResizeEvent* event) override;

private:
    void Start();
    void LayoutPages();
    void LayoutControls();
    void OnTabChanged(int index);

    struct SPage {
        CSheetPage* page;
        int resourceId;
    };
    std::vector<SPage> m_pages;
    int m_active = -1;
    bool m_started = false;
    // Apply may wait for the server with the event loop turning.
    bool m_applying = false;
    QWidget* m_tabFrame = nullptr;
    QTabBar* m_tabBar = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace murmex
