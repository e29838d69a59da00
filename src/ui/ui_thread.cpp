#include "ui/ui_thread.h"

#include "ui/modal_turns.h"

#include <QThread>

namespace murmex {

void RunOnUiThread(QObject* home, std::function<void()> job) {
    if (!home || !job)
        return;
    if (QThread::currentThread() == home->thread()) {
        job();
        return;
    }
    // Queued to the object: when it goes first, the job is dropped with it.
    QMetaObject::invokeMethod(home, std::move(job), Qt::QueuedConnection);
}

bool CUiThreadCalls::RunAndWait(std::function<void()> job) {
    if (IsStopped())
        return false;
    if (QThread::currentThread() == m_home.thread()) {
        job();
        return true;
    }
    // A queued call with a wait of our own rather than a blocking queued
    // one, so that StopForShutdown can let this thread go.
    auto finished = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        &m_home,
        [this, job = std::move(job), finished] {
            if (IsStopped())
                return;
            // Another thread's dialog waits for the window that is up.
            CModalTurns::CBackground background;
            job();
            {
                std::lock_guard lock(m_mutex);
                *finished = true;
            }
            m_done.notify_all();
        },
        Qt::QueuedConnection);
    ++m_waiting;
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return *finished || m_stopped; });
    --m_waiting;
    return *finished;
}

void CUiThreadCalls::StopForShutdown() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_done.notify_all();
}

bool CUiThreadCalls::IsStopped() const {
    std::lock_guard lock(m_mutex);
    return m_stopped;
}

} // namespace murmex
