#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace murmex {

// "Keep the host window's message loop turning until the job is done." The GUI
// implements it with a nested event loop; Wake may be called from any thread.
class IWaitLoop {
public:
    virtual ~IWaitLoop() = default;
    // Returns once done() is true. done() is re-checked after every Wake.
    virtual void RunUntilDone(const std::function<bool()>& done) = 0;
    virtual void Wake() = 0;
};

// The loop for a program without windows: the caller simply blocks.
class CBlockingWaitLoop final : public IWaitLoop {
public:
    void RunUntilDone(const std::function<bool()>& done) override {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, done);
    }
    void Wake() override {
        { std::lock_guard lock(m_mutex); }
        m_cv.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
};

} // namespace murmex
