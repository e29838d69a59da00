#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace murmex {

// Worker threads owned by one object and joined before it goes away. Finished
// workers are joined whenever a new one starts, so periodic tasks do not pile
// up threads.
class CWorkerThreads {
public:
    CWorkerThreads() = default;
    ~CWorkerThreads() { StopAndJoin(); }
    CWorkerThreads(const CWorkerThreads&) = delete;
    CWorkerThreads& operator=(const CWorkerThreads&) = delete;

    // False (and nothing started) once StopAndJoin has begun.
    bool Start(std::function<void()> work);
    // Waits for every worker, also those started by workers meanwhile. Never
    // call it from a worker.
    void JoinAll();
    // Refuses new workers, then waits for the running ones.
    void StopAndJoin();
    int Running();
    // Lets the running workers finish by themselves for up to `limit`; true
    // when none is left running.
    bool WaitIdleFor(std::chrono::milliseconds limit);

private:
    struct SWorker {
        std::shared_ptr<std::atomic<bool>> done;
        std::jthread thread;
    };
    void ReapLocked();

    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::list<SWorker> m_workers;
    bool m_stopped = false;
};

} // namespace murmex
