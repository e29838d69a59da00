#include "friends/click_tree.h"

#include "friends/tree_icons.h"
#include "storage/options.h"
#include "ui/local_text.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace murmex {
namespace {

constexpr int kValueRole = Qt::UserRole;
constexpr int kIconRole = Qt::UserRole + 1;
constexpr int kHintMargin = 6;

} // namespace

CClickTree::CClickTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(kTreeIconSize, kTreeIconSize));
    setUniformRowHeights(true);
    // The trees sit on the bar's face, not on a white sheet.
    QPalette face = palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    setPalette(face);

    m_menuTimer.setSingleShot(true);
    connect(&m_menuTimer, &QTimer::timeout, this, &CClickTree::MenuTimerExpired);
}

void CClickTree::SetConnectionCheck(std::function<bool()> isConnected) {
    m_isConnected = std::move(isConnected);
}

void CClickTree::SetMenuRunner(MenuRunner runner) {
    m_menuRunner = std::move(runner);
}

Qt::MouseButton CClickTree::ChosenButton() {
    const std::string value = GetOption("MouseButton");
    return value.empty() || value == "0" ? Qt::LeftButton : Qt::RightButton;
}

int CClickTree::ItemValue(const QTreeWidgetItem* item) {
    return item ? item->data(0, kValueRole).toInt() : 0;
}

int CClickTree::ItemIcon(const QTreeWidgetItem* item) {
    return item ? item->data(0, kIconRole).toInt() : -1;
}

void CClickTree::SetItemValue(QTreeWidgetItem* item, int value) {
    item->setData(0, kValueRole, value);
}

void CClickTree::SetItemIcon(QTreeWidgetItem* item, int icon) {
    // Every 200 ms tick asks again: only a real change repaints.
    if (item->data(0, kIconRole).isValid() && ItemIcon(item) == icon)
        return;
    item->setData(0, kIconRole, icon);
    item->setIcon(0, TreeIcon(icon));
    // The picture alone says nothing to a screen reader: its words go along.
    const std::string_view description = IconDescription(icon);
    item->setData(0, Qt::AccessibleDescriptionRole,
                  description.empty() ? QVariant() : QVariant(FromUtf8(description)));
}

QAction* CClickTree::RunMenu(QMenu& menu, const QPoint& globalPos) {
    if (m_menuRunner)
        return m_menuRunner(menu, globalPos);
    return ExecMenuAtClick(menu, globalPos);
}

bool CClickTree::IsConnected() const {
    return !m_isConnected || m_isConnected();
}

bool CClickTree::OnDragStart(QTreeWidgetItem*, Qt::MouseButton, const QPoint&) {
    return false;
}

void CClickTree::OnDragMove(const QPoint&, const QPoint&) {}

void CClickTree::OnDragEnd(bool) {}

void CClickTree::mousePressEvent(QMouseEvent* event) {
    event->accept();
    setFocus(Qt::MouseFocusReason);
    if (m_dragging)
        return; // the other button during a drag changes nothing
    m_pressButton = event->button();
    m_pressPos = event->position().toPoint();
    m_pressMoved = false;
    m_afterDoubleClick = false;
}

void CClickTree::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint pos = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    if (m_dragging) {
        OnDragMove(pos, global);
        return;
    }
    const bool held = m_pressButton == Qt::LeftButton || m_pressButton == Qt::RightButton;
    if (!held || m_pressMoved || !(event->buttons() & m_pressButton))
        return;
    if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressMoved = true;
    // Only a real drag cancels a pending menu; a mere move does not.
    if (OnDragStart(itemAt(m_pressPos), m_pressButton, global)) {
        m_dragging = true;
        OnDragMove(pos, global);
    }
}

void CClickTree::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const Qt::MouseButton button = event->button();
    if (m_dragging) {
        if (button == Qt::LeftButton || button == Qt::RightButton) {
            m_dragging = false;
            m_pressButton = Qt::NoButton;
            OnDragEnd(true);
        }
        return;
    }
    const bool click = button == m_pressButton && !m_pressMoved && !m_afterDoubleClick;
    m_pressButton = Qt::NoButton;
    m_afterDoubleClick = false;
    if (!click)
        return;
    if (button == ChosenButton())
        ChosenClick(event->position().toPoint(), event->globalPosition().toPoint());
    else if (button == Qt::LeftButton || button == Qt::RightButton)
        OnOtherButtonClick();
}

void CClickTree::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (m_dragging)
        return;
    // The release that follows belongs to this double click.
    m_afterDoubleClick = true;
    m_pressButton = event->button();
    m_pressPos = event->position().toPoint();
    m_pressMoved = false;
    if (event->button() != ChosenButton())
        return;
    m_menuTimer.stop();
    m_menuPending = false;
    OnDoubleClick(itemAt(event->position().toPoint()));
}

void CClickTree::hideEvent(QHideEvent* event) {
    BreakOffDrag();
    m_menuTimer.stop();
    m_menuPending = false;
    QTreeWidget::hideEvent(event);
}

void CClickTree::BreakOffDrag() {
    if (!m_dragging)
        return;
    m_dragging = false;
    m_pressButton = Qt::NoButton;
    OnDragEnd(false);
}

void CClickTree::ChosenClick(const QPoint& viewportPos, const QPoint& globalPos) {
    m_menuPos = globalPos;
    QTreeWidgetItem* item = itemAt(viewportPos);
    if (item) {
        setCurrentItem(item);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
    if (!ClickArmsMenu(item))
        return;
    m_menuPending = true;
    m_menuTimer.start(QApplication::doubleClickInterval());
}

void CClickTree::MenuTimerExpired() {
    m_menuTimer.stop();
    if (!m_menuPending)
        return;
    // Cleared first: a click while the menu is up starts afresh.
    m_menuPending = false;
    OnMenuDue(itemAt(viewport()->mapFromGlobal(m_menuPos)), m_menuPos);
}

void CClickTree::SetEmptyHint(const QString& hint) {
    m_emptyHint = hint;
    viewport()->update();
}

void CClickTree::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (m_emptyHint.isEmpty() || !ShowsEmptyHint())
        return;
    // Below the rows there are (the groups of an empty friend list).
    int top = 0;
    for (QTreeWidgetItem* item = topLevelItemCount() ? topLevelItem(0) : nullptr; item;
         item = itemBelow(item))
        top = std::max(top, visualItemRect(item).bottom() + 1);
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const QRect area =
        viewport()->rect().adjusted(kHintMargin, top + kHintMargin, -kHintMargin, -kHintMargin);
    painter.drawText(area, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, m_emptyHint);
}

} // namespace murmex
