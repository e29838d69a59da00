#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace murmex {

// A periodic tick run from the event queue, not inside the timer's own
// event: Qt never fires a timer again while its event is being handled, so a
// dialog a tick opens would stop every further tick until it closed. Queued,
// the ticks go on inside the dialog's loop (the tick itself must keep its
// dialogs from nesting). One tick waits at a time.
class CQueuedTicker final : public QObject {
public:
    CQueuedTicker(std::chrono::milliseconds interval, std::function<void()> tick,
                  QObject* parent = nullptr);

    void Start() { m_timer.start(); }
    void Stop() { m_timer.stop(); }
    bool IsRunning() const { return m_timer.isActive(); }

private:
    void Post();

    QTimer m_timer;
    std::function<void()> m_tick;
    bool m_posted = false;
};

} // namespace murmex
