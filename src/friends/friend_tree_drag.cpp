// Dragging a friend from its group to another one.
#include "friends/friend_tree.h"
#include "friends/tree_icons.h"
#include "friends/tree_texts.h"
#include "model/data_manager.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace murmex {

bool CFriendTree::OnDragStart(QTreeWidgetItem* item, Qt::MouseButton, const QPoint& globalPos) {
    SetDropHighlight(nullptr);
    if (!item || !item->parent())
        return false; // groups stay where they are
    m_dragged = RefOf(item);
    m_hasDropTarget = false;

    // The drag image: the item's picture and name on a small plate that
    // follows the pointer. Opaque: without a compositor a see-through
    // window shows black.
    const QString text = item->text(0);
    const QFontMetrics metrics(font());
    const qreal ratio = devicePixelRatioF();
    const QSize size(2 + kTreeIconSize + 4 + metrics.horizontalAdvance(text) + 6,
                     std::max(kTreeIconSize, metrics.height()) + 4);
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(palette().color(QPalette::Base));
    {
        QPainter painter(&picture);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
        painter.drawPixmap(2, (size.height() - kTreeIconSize) / 2,
                           TreeIconPixmap(ItemIcon(item), ratio));
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(2 + kTreeIconSize + 4, 0, size.width(), size.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    m_dragImage = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint |
                                                        Qt::WindowTransparentForInput);
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->setAttribute(Qt::WA_ShowWithoutActivating);
    m_dragImage->setPixmap(picture);
    m_dragImage->setWindowOpacity(0.7);
    m_dragImage->adjustSize();
    m_dragImage->move(globalPos + QPoint(4, 4));
    m_dragImage->show();
    return true;
}

void CFriendTree::OnDragMove(const QPoint& viewportPos, const QPoint& globalPos) {
    if (m_dragImage)
        m_dragImage->move(globalPos + QPoint(4, 4));
    // Empty space keeps the last target.
    if (QTreeWidgetItem* item = itemAt(viewportPos)) {
        m_dropTarget = RefOf(item);
        m_hasDropTarget = true;
        SetDropHighlight(item);
    }
}

void CFriendTree::OnDragEnd(bool dropped) {
    m_dragImage.reset();
    SetDropHighlight(nullptr);
    const SItemRef dragged = m_dragged;
    const SItemRef target = m_dropTarget;
    const bool hasTarget = m_hasDropTarget;
    m_dragged = {};
    m_dropTarget = {};
    m_hasDropTarget = false;
    // Either may have gone while the drag ran (a synchronisation, a switch of user).
    if (!dropped || !hasTarget || !Resolve(target) || !Resolve(dragged))
        return;
    if (target.qid != 0) {
        ShowMessage(kTextDropOnFriend);
        return;
    }
    if (target.groupId == dragged.groupId) {
        ShowMessage(kTextDropOnSameGroup);
        return;
    }
    // Either button moves: there is no copy, and a drop that is shown as
    // accepted should not quietly do nothing.
    m_data.MoveFriend(dragged.qid, target.groupId);
}

void CFriendTree::SetDropHighlight(QTreeWidgetItem* item) {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = topLevelItem(i);
        if (group != item && group->data(0, kDropRole).isValid())
            group->setData(0, kDropRole, QVariant());
        for (int j = 0; j < group->childCount(); ++j) {
            QTreeWidgetItem* child = group->child(j);
            if (child != item && child->data(0, kDropRole).isValid())
                child->setData(0, kDropRole, QVariant());
        }
    }
    if (item && !item->data(0, kDropRole).toBool())
        item->setData(0, kDropRole, true);
}

} // namespace murmex
