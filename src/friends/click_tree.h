#pragma once

#include "ui/ui_thread.h"

#include <QPoint>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

class QAction;
class QMenu;

namespace murmex {

// What the friend tree and the favourite channel list share: one mouse button
// (the "MouseButton" option) selects an item and, after the double-click time,
// opens its menu, unless a double click comes first and runs the item's
// action instead. The other button does next to nothing. Every click is
// handled here, so the view's own click handling (selection, expansion,
// editing) never runs.
class CClickTree : public QTreeWidget {
    Q_OBJECT

public:
    // Runs a context menu at a screen position and returns the chosen entry
    // (none when dismissed). Tests replace it; the default shows it modally.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;

    // Where the answer "is there an Internet connection" comes from; without
    // one the computer counts as connected.
    void SetConnectionCheck(std::function<bool()> isConnected);
    void SetMenuRunner(MenuRunner runner);

    // The button that selects and opens, read from the options on every click:
    // the left one when "MouseButton" is absent or "0", else the right one.
    static Qt::MouseButton ChosenButton();

    // Drawn in the empty part of the view while the list has nothing of its
    // own to show (see ShowsEmptyHint), saying how to fill it.
    void SetEmptyHint(const QString& hint);
    QString EmptyHint() const { return m_emptyHint; }
    virtual bool ShowsEmptyHint() const { return topLevelItemCount() == 0; }

    // A click has armed the menu timer and no double click has come yet.
    bool IsMenuPending() const { return m_menuPending; }
    // The item's stored value: a group id, a QID or a channel id.
    static int ItemValue(const QTreeWidgetItem* item);
    // The strip position the item shows (ETreeIcon).
    static int ItemIcon(const QTreeWidgetItem* item);

protected:
    explicit CClickTree(QWidget* parent);

    // Whether a click of the chosen button at this item (none: empty space)
    // arms the menu timer.
    virtual bool ClickArmsMenu(const QTreeWidgetItem* item) const { return item != nullptr; }
    virtual void OnOtherButtonClick() {}
    // The menu timer expired: open the menu for the item (none: empty space).
    virtual void OnMenuDue(QTreeWidgetItem* item, const QPoint& globalPos) = 0;
    virtual void OnDoubleClick(QTreeWidgetItem* item) = 0;

    // Dragging: the press left the drag distance behind with `button` held.
    // Return true when the item may be dragged.
    virtual bool OnDragStart(QTreeWidgetItem* item, Qt::MouseButton button,
                             const QPoint& globalPos);
    virtual void OnDragMove(const QPoint& viewportPos, const QPoint& globalPos);
    // The left or right button was released (dropped), or the drag was broken off.
    virtual void OnDragEnd(bool dropped);

    // Runs the job now on the tree's own thread, else hands it over to run there.
    void OnOwnThread(std::function<void()> job) { RunOnUiThread(this, std::move(job)); }

    QAction* RunMenu(QMenu& menu, const QPoint& globalPos);
    bool IsConnected() const;
    void SetItemValue(QTreeWidgetItem* item, int value);
    void SetItemIcon(QTreeWidgetItem* item, int icon);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_emptyHint;
    void ChosenClick(const QPoint& viewportPos, const QPoint& globalPos);
    void MenuTimerExpired();
    void BreakOffDrag();

    std::function<bool()> m_isConnected;
    MenuRunner m_menuRunner;

    // The menu timer: armed by a click, cancelled by a double click.
    QTimer m_menuTimer;
    bool m_menuPending = false;
    QPoint m_menuPos; // screen position of the click that armed it

    // The press a click or a drag grows out of.
    Qt::MouseButton m_pressButton = Qt::NoButton;
    QPoint m_pressPos;
    bool m_pressMoved = false; // past the drag distance: no click on release
    bool m_dragging = false;
    bool m_afterDoubleClick = false; // the release that ends a double click is no click
};

} // namespace murmex
