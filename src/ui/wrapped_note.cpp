#include "ui/wrapped_note.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace murmex {

CWrappedNote::CWrappedNote(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setText(text);
}

bool CWrappedNote::Plain() const {
    return textFormat() == Qt::PlainText && wordWrap() && layoutDirection() == Qt::LeftToRight &&
           (alignment() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft && margin() == 0 &&
           indent() <= 0 && !(textInteractionFlags() & Qt::TextSelectableByMouse);
}

void CWrappedNote::Refresh() const {
    if (m_measuredText == text() && m_measuredFont == font())
        return;
    m_measuredText = text();
    m_measuredFont = font();
    m_layoutWidth = -1;
}

const QStaticText& CWrappedNote::LaidOut(int width) const {
    Refresh();
    if (width != m_layoutWidth) {
        m_layout = QStaticText(m_measuredText);
        m_layout.setTextFormat(Qt::PlainText);
        m_layout.setTextWidth(width);
        m_layout.prepare(QTransform(), m_measuredFont);
        m_layoutWidth = width;
    }
    return m_layout;
}

int CWrappedNote::heightForWidth(int width) const {
    if (!Plain())
        return QLabel::heightForWidth(width);
    const QMargins margins = contentsMargins();
    const int inner = std::max(1, width - margins.left() - margins.right());
    return static_cast<int>(std::ceil(LaidOut(inner).size().height())) + margins.top() +
           margins.bottom();
}

void CWrappedNote::paintEvent(QPaintEvent* event) {
    if (!Plain())
        return QLabel::paintEvent(event);
    const QRect area = contentsRect();
    const QStaticText& laidOut = LaidOut(area.width());
    const int height = static_cast<int>(std::ceil(laidOut.size().height()));
    int top = area.top();
    if (alignment() & Qt::AlignBottom)
        top = area.bottom() + 1 - height;
    else if (alignment() & Qt::AlignVCenter)
        top += (area.height() - height) / 2;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawStaticText(QPoint(area.left(), top), laidOut);
}

} // namespace murmex
