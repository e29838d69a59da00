#include "server/worker_pool.h"

namespace murmex {

void CWorkerPool::Start(std::vector<std::unique_ptr<SWorkerContext>> contexts) {
    m_contexts = std::move(contexts);
    for (auto& context : m_contexts)
        m_threads.emplace_back([this, &context](std::stop_token stop) { Run(stop, *context); });
}

void CWorkerPool::Submit(Task task) {
    {
        std::lock_guard lock(m_mutex);
        if (m_threads.empty())
            return;
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void CWorkerPool::Run(std::stop_token stop, SWorkerContext& context) {
    for (;;) {
        Task task;
        {
            std::unique_lock lock(m_mutex);
            if (!m_wake.wait(lock, stop, [this] { return !m_tasks.empty(); }))
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task(context);
    }
}

void CWorkerPool::Stop() {
    std::vector<std::jthread> threads;
    {
        std::lock_guard lock(m_mutex);
        threads.swap(m_threads);
        m_tasks.clear();
    }
    for (auto& thread : threads)
        thread.request_stop();
    threads.clear(); // joins
    m_contexts.clear();
}

} // namespace murmex
