#include "ui/queued_ticker.h"

#include "ui/modal_turns.h"

namespace murmex {

CQueuedTicker::CQueuedTicker(std::chrono::milliseconds interval, std::function<void()> tick,
                             QObject* parent)
    : QObject(parent), m_tick(std::move(tick)) {
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &CQueuedTicker::Post);
}

void CQueuedTicker::Post() {
    if (m_posted)
        return;
    m_posted = true;
    // Dropped with the ticker when it goes first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_posted = false;
            // Nobody clicked for what a tick opens: it waits for the window that is up.
            CModalTurns::CBackground background;
            m_tick();
        },
        Qt::QueuedConnection);
}

} // namespace murmex
