#pragma once

#include "ports/ui_interfaces.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace murmex {

class IClock;

// The background jobs that the heartbeat starts at fixed intervals (the friends
// synchronisation, the message fetch). Process-wide: the data manager registers
// its tasks before the main bar and its timer exist.
class CPeriodicTasks final : public IPeriodicTasks {
public:
    explicit CPeriodicTasks(const IClock& clock) : m_clock(clock) {}

    // A new task is due at once: the first run of the heartbeat starts it.
    void RegisterPeriodicTask(std::function<void()> task, int intervalSeconds) override;
    // While suspended nothing starts; the first run after resuming starts
    // every task that fell due meanwhile.
    void SuspendPeriodicTasks();
    void ResumePeriodicTasks();
    bool IsSuspended() const;

    // Starts, in registration order, every task whose interval has passed by
    // the wall clock since its last start.
    void RunPeriodicTasks();

private:
    struct STask {
        std::function<void()> function;
        int intervalSeconds = 0;
        std::optional<std::int64_t> lastRun;
    };

    const IClock& m_clock;
    mutable std::mutex m_mutex;
    std::vector<STask> m_tasks;
    bool m_suspended = false;
};

} // namespace murmex
