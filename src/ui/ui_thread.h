#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace murmex {

// Runs `job` on the thread `home` lives on (the UI thread): at once when
// called there, else queued to run there soon; never when `home` has gone.
void RunOnUiThread(QObject* home, std::function<void()> job);

// Blocking calls from other threads into the UI thread that shutdown can
// release: a worker waiting here for a dialog must not wait for a UI thread
// that is about to join it and will never show the dialog. After
// StopForShutdown every call, a waiting one too, answers "cancelled".
class CUiThreadCalls {
public:
    // Create on the UI thread; `home` lives there and outlives this object.
    explicit CUiThreadCalls(QObject& home) : m_home(home) {}
    ~CUiThreadCalls() { StopForShutdown(); }
    CUiThreadCalls(const CUiThreadCalls&) = delete;
    CUiThreadCalls& operator=(const CUiThreadCalls&) = delete;

    // The job's result, run on the UI thread (at once when called there);
    // nothing when cancelled. A job cancelled while it runs finishes unwaited
    // for: it must not refer to the caller's locals.
    template <class Result> std::optional<Result> Call(std::function<Result()> job) {
        auto result = std::make_shared<std::optional<Result>>();
        if (!RunAndWait([job = std::move(job), result] { *result = job(); }))
            return std::nullopt;
        return std::move(*result);
    }
    // The same without a result: true when the job ran to its end.
    bool RunAndWait(std::function<void()> job);

    void StopForShutdown();
    bool IsStopped() const;
    // How many other threads are waiting for their call now.
    int Waiting() const { return m_waiting; }

private:
    QObject& m_home;
    mutable std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stopped = false; // under m_mutex
    std::atomic<int> m_waiting{0};
};

} // namespace murmex
