#include "ui/frameless_drag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace murmex {
namespace {

bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

CFramelessDrag::CFramelessDrag(QWidget* window, int minHeight)
    : QObject(window), m_window(window), m_minHeight(minHeight) {}

void CFramelessDrag::AddMoveStrip(QWidget* strip) {
    strip->installEventFilter(this);
}

void CFramelessDrag::SetResizeGrip(QWidget* grip) {
    m_grip = grip;
    grip->installEventFilter(this);
}

void CFramelessDrag::SetLocked(std::function<bool()> locked) {
    m_locked = std::move(locked);
}

void CFramelessDrag::SetPlaced(std::function<void(bool)> placed) {
    m_placed = std::move(placed);
}

bool CFramelessDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                       type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (!mouse)
        return false;
    if (m_locked && m_locked()) {
        m_moving = m_resizing = false;
        return true;
    }
    const auto& mouseEvent = static_cast<const QMouseEvent&>(*event);
    if (watched == m_grip)
        Resize(mouseEvent);
    else
        Move(mouseEvent);
    return true;
}

void CFramelessDrag::Move(const QMouseEvent& event) {
    const QPoint global = event.globalPosition().toPoint();
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        if (event.button() != Qt::LeftButton)
            return;
        // A Wayland compositor places windows itself; there it runs the move.
        if (OnWayland() && m_window->windowHandle() && m_window->windowHandle()->startSystemMove())
            return;
        m_moving = true;
        m_grabOffset = global - m_window->pos();
        return;
    case QEvent::MouseMove:
        if (m_moving)
            m_window->move(global - m_grabOffset);
        return;
    case QEvent::MouseButtonRelease:
        if (event.button() == Qt::LeftButton && m_moving) {
            m_moving = false;
            if (m_placed)
                m_placed(false);
        }
        return;
    default:
        return;
    }
}

void CFramelessDrag::Resize(const QMouseEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        if (event.button() == Qt::LeftButton)
            m_resizing = true;
        return;
    case QEvent::MouseMove:
        if (m_resizing) {
            // Never down to the minimum; the top edge stays put.
            const int height = event.globalPosition().toPoint().y() - m_window->y();
            if (height > m_minHeight)
                m_window->resize(m_window->width(), height);
        }
        return;
    case QEvent::MouseButtonRelease:
        if (event.button() == Qt::LeftButton && m_resizing) {
            m_resizing = false;
            if (m_placed)
                m_placed(true);
        }
        return;
    default:
        return;
    }
}

} // namespace murmex
