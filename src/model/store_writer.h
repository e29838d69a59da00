#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace murmex {

// One thread that writes the data manager's changes to disk in the order they
// were made. The window thread hands a change over and goes on; a message
// fetch waits for its change to be on disk before it asks for the next one.
class CStoreWriter {
public:
    CStoreWriter();
    // Runs what is still queued, then stops.
    ~CStoreWriter();
    CStoreWriter(const CStoreWriter&) = delete;
    CStoreWriter& operator=(const CStoreWriter&) = delete;

    // Queues a job; its future tells whether it saved. Jobs run one at a time
    // in the order submitted. After Stop a job runs at once on the caller.
    std::future<bool> Submit(std::function<bool()> job);
    // Waits until every job submitted before this call has run.
    void Flush();
    // Runs what is queued and ends the thread.
    void Stop();

private:
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::packaged_task<bool()>> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace murmex
