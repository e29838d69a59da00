#pragma once

#include "ui/skin_dialog.h"

#include <QPointer>
#include <initializer_list>
#include <string_view>
#include <vector>

class QPushButton;

namespace murmex {

class CSheetPage;

// What a wizard sheet and a tab sheet have in common: pages named by resource
// numbers, all laid out at one origin and one size, the first one activated on
// the first showing, and a guard that keeps the buttons from starting a second
// page handler while one waits with the event loop turning.
class CSheetBase : public CSkinDialog {
    Q_OBJECT

public:
    // Public: a sheet is owned through its base (the gallery holds one so).
    ~CSheetBase() override;
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    int ActiveIndex() const { return m_active; }
    int ActiveResourceId() const;
    // -1 when no page has that number.
    int IndexOfResource(int resourceId) const;
    // Shows and activates the page at `index`; false for an index outside the pages.
    virtual bool SetActivePage(int index) = 0;

    // The first showing lays the pages out and activates the first one.
    void setVisible(bool visible) override;
    // The controls Tab visits now, in order: the shown page's, then the buttons.
    std::vector<QWidget*> TabOrder() const;

protected:
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 24;

    // Pages stand at `pageOrigin`; the sheet is `extra` larger than the largest page.
    CSheetBase(QWidget* parent, int skinFlags, QPoint pageOrigin, QSize extra);

    // Takes the page as a hidden child; pages are added before the sheet is shown.
    void AdoptPage(CSheetPage* page, int resourceId);
    CSheetPage* ActiveSheetPage() const;
    // Hides the current page and makes `index` (a valid one) the active index.
    void SwitchTo(int index);

    bool IsBusy() const { return m_busy; }
    // Runs `call` with the sheet marked busy. False when the sheet was destroyed
    // meanwhile: the caller must not touch it then.
    template <typename Call> bool RunBusy(Call&& call) {
        QPointer<CSheetBase> self(this);
        const bool wasBusy = m_busy;
        m_busy = true;
        call();
        if (!self)
            return false;
        m_busy = wasBusy;
        return true;
    }

    // Places the sheet's own controls for its current size.
    virtual void LayoutControls() {}
    void resizeEvent(QResizeEvent* event) override;

    static QPushButton* MakeButton(std::string_view text, int id, QWidget* parent);
    // The sheet's own buttons as they stand from left to right. Tab reaches
    // them after the page's controls, in that order, however late a page or
    // its controls are made. Nulls (a button the sheet does not have) are
    // skipped.
    void SetButtonTabOrder(std::initializer_list<QWidget*> leftToRight);
    bool focusNextPrevChild(bool next) override;

private:
    void Start();
    void LayoutPages();

    struct SPage {
        CSheetPage* page;
        int resourceId;
    };
    std::vector<SPage> m_pages;
    std::vector<QWidget*> m_buttonsInTabOrder;
    int m_active = -1;
    bool m_started = false;
    bool m_busy = false;
    QPoint m_pageOrigin;
    QSize m_extra;
};

} // namespace murmex
