#include "model/worker_threads.h"

#include <atomic>

namespace murmex {

bool CWorkerThreads::Start(std::function<void()> work) {
    std::lock_guard lock(m_mutex);
    if (m_stopped)
        return false;
    ReapLocked();
    auto done = std::make_shared<std::atomic<bool>>(false);
    m_workers.push_back({done, std::jthread([this, work = std::move(work), done] {
                             work();
                             {
                                 std::lock_guard finished(m_mutex);
                                 *done = true;
                             }
                             m_finished.notify_all();
                         })});
    return true;
}

void CWorkerThreads::ReapLocked() {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (*it->done) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void CWorkerThreads::JoinAll() {
    for (;;) {
        std::list<SWorker> batch;
        {
            std::lock_guard lock(m_mutex);
            batch.swap(m_workers);
        }
        if (batch.empty())
            return;
        for (auto& worker : batch)
            worker.thread.join();
    }
}

void CWorkerThreads::StopAndJoin() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    JoinAll();
}

int CWorkerThreads::Running() {
    std::lock_guard lock(m_mutex);
    ReapLocked();
    return static_cast<int>(m_workers.size());
}

bool CWorkerThreads::WaitIdleFor(std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    return m_finished.wait_for(lock, limit, [this] {
        for (const SWorker& worker : m_workers)
            if (!*worker.done)
                return false;
        return true;
    });
}

} // namespace murmex
