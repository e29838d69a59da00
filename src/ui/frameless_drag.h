#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QMouseEvent;
class QWidget;

namespace murmex {

// Moves and resizes a window that has no frame of the system's: a left drag
// on one of its move strips carries the window along, a left drag on its
// resize grip (the strip along the bottom edge) moves the bottom edge while
// the top stays put. The strips and the grip take every mouse event, so that
// nothing underneath reacts to a drag; while locked they do nothing else.
class CFramelessDrag final : public QObject {
public:
    CFramelessDrag(QWidget* window, int minHeight);

    void AddMoveStrip(QWidget* strip);
    void SetResizeGrip(QWidget* grip);
    // Asked at every event: a window that must stay where it is.
    void SetLocked(std::function<bool()> locked);
    // A move or a resize has ended; the window stands where it now is.
    void SetPlaced(std::function<void(bool resized)> placed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Move(const QMouseEvent& event);
    void Resize(const QMouseEvent& event);

    QWidget* m_window;
    QWidget* m_grip = nullptr;
    int m_minHeight;
    std::function<bool()> m_locked;
    std::function<void(bool)> m_placed;
    bool m_moving = false;
    bool m_resizing = false;
    QPoint m_grabOffset;
};

} // namespace murmex
