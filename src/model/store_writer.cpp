#include "model/store_writer.h"

namespace murmex {

CStoreWriter::CStoreWriter() : m_thread([this] { Run(); }) {}

CStoreWriter::~CStoreWriter() {
    Stop();
}

std::future<bool> CStoreWriter::Submit(std::function<bool()> job) {
    std::packaged_task<bool()> task(std::move(job));
    std::future<bool> result = task.get_future();
    {
        std::lock_guard lock(m_mutex);
        if (!m_stop) {
            m_jobs.push_back(std::move(task));
            m_cv.notify_all();
            return result;
        }
    }
    task();
    return result;
}

void CStoreWriter::Flush() {
    std::unique_lock lock(m_mutex);
    if (m_thread.get_id() == std::this_thread::get_id())
        return; // a job cannot wait for the queue it runs in
    m_cv.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void CStoreWriter::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_cv.notify_all();
    }
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void CStoreWriter::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_cv.wait(lock, [this] { return !m_jobs.empty() || m_stop; });
        if (m_jobs.empty())
            return; // stopping, and nothing left to write
        std::packaged_task<bool()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        job();
        lock.lock();
        m_busy = false;
        m_cv.notify_all();
    }
}

} // namespace murmex
