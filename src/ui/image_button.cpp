#include "ui/image_button.h"

#include "ui/skin_pictures.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace murmex {

CImageButton::CImageButton(int normalPicture, int hoverPicture, int pressedPicture, QWidget* parent)
    : QAbstractButton(parent), m_pictures{normalPicture, hoverPicture, pressedPicture} {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

CImageButton::EState CImageButton::State() const {
    if (isDown())
        return EState::Pressed;
    return m_hover ? EState::Hover : EState::Normal;
}

QSize CImageButton::sizeHint() const {
    const QSize size = SkinPictureSize(m_pictures[0]);
    return size.isEmpty() ? QSize(21, 19) : size;
}

void CImageButton::paintEvent(QPaintEvent*) {
    const int picture = m_pictures[static_cast<int>(State())];
    QPainter painter(this);
    const QPixmap pixmap = SkinPicture(picture, devicePixelRatioF());
    // Drawn at its own ratio, pixel for pixel, never resampled into the
    // button: at 1.5 it holds whole pixels beyond the button's fractional
    // edge, which the button clips.
    if (!pixmap.isNull())
        painter.drawPixmap(QPoint(0, 0), pixmap);
}

void CImageButton::enterEvent(QEnterEvent* event) {
    SetHover(true);
    QAbstractButton::enterEvent(event);
}

void CImageButton::leaveEvent(QEvent* event) {
    SetHover(false);
    QAbstractButton::leaveEvent(event);
}

void CImageButton::mouseMoveEvent(QMouseEvent* event) {
    // The pointer may leave while the button holds the mouse; only the
    // rectangle decides whether it is over us.
    SetHover(rect().contains(event->position().toPoint()));
    QAbstractButton::mouseMoveEvent(event);
}

void CImageButton::SetHover(bool hover) {
    if (m_hover == hover)
        return;
    m_hover = hover;
    update();
}

} // namespace murmex
