#include "ui/qt_wait_loop.h"

#include "ui/modal_turns.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

namespace murmex {

CQtWaitLoop::CQtWaitLoop(QObject* parent) : QObject(parent) {}

CQtWaitLoop::~CQtWaitLoop() = default;

void CQtWaitLoop::RunUntilDone(const std::function<bool()>& done) {
    if (done())
        return;
    // What the user does meanwhile is the user's, even under a tick's command.
    CModalTurns::CForeground foreground;
    QEventLoop loop;
    m_waits.push_back({&done, &loop});
    // The loop is left by CheckWaits once done() holds.
    loop.exec();
    // Something else stopped it (the application is quitting). The caller's
    // job still runs and must be waited for, but a new loop would return at
    // once now, so take the events by hand.
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    m_waits.pop_back();
}

void CQtWaitLoop::Wake() {
    // Queued, so that the check runs on the UI thread inside the loops. A wake
    // that comes before the loop starts is not lost: the event waits for it.
    QMetaObject::invokeMethod(this, &CQtWaitLoop::CheckWaits, Qt::QueuedConnection);
}

void CQtWaitLoop::CheckWaits() {
    for (const SWait& wait : m_waits) {
        if ((*wait.done)())
            wait.loop->quit();
    }
}

} // namespace murmex
