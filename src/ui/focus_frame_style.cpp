#include "ui/focus_frame_style.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace murmex {

void CFocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    const QStyle::State keyboardFocus = State_HasFocus | State_KeyboardFocusChange;
    if (element != CE_ShapedFrame || (option->state & keyboardFocus) != keyboardFocus ||
        !qobject_cast<const QAbstractItemView*>(widget))
        return;
    // Over the frame's own lines only: the view's contents cover the inside.
    const int width = std::max(1, pixelMetric(PM_DefaultFrameWidth, option, widget));
    painter->save();
    QPen pen(option->palette.color(QPalette::Highlight), width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const qreal inset = width / 2.0;
    painter->drawRect(QRectF(option->rect).adjusted(inset, inset, -inset, -inset));
    painter->restore();
}

} // namespace murmex
