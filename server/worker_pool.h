#pragma once

#include "server/command_handler.h"
#include "server/database.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace murmex {

// What each worker thread owns: its database connection and the command
// handler working on it.
struct SWorkerContext {
    CDatabase db;
    std::unique_ptr<CCommandHandler> handler;
};

// A fixed set of threads taking tasks in order of arrival.
class CWorkerPool {
public:
    using Task = std::function<void(SWorkerContext&)>;

    CWorkerPool() = default;
    ~CWorkerPool() { Stop(); }
    CWorkerPool(const CWorkerPool&) = delete;
    CWorkerPool& operator=(const CWorkerPool&) = delete;

    // One thread per context.
    void Start(std::vector<std::unique_ptr<SWorkerContext>> contexts);
    void Submit(Task task);
    // Lets running tasks finish, drops waiting ones, joins the threads and
    // closes the contexts.
    void Stop();

private:
    void Run(std::stop_token stop, SWorkerContext& context);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::deque<Task> m_tasks;
    std::vector<std::unique_ptr<SWorkerContext>> m_contexts;
    std::vector<std::jthread> m_threads;
};

} // namespace murmex
