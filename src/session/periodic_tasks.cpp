#include "session/periodic_tasks.h"

#include "platform/clock.h"

#include <utility>

namespace murmex {

void CPeriodicTasks::RegisterPeriodicTask(std::function<void()> task, int intervalSeconds) {
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(STask{std::move(task), intervalSeconds, std::nullopt});
}

void CPeriodicTasks::SuspendPeriodicTasks() {
    std::lock_guard lock(m_mutex);
    m_suspended = true;
}

void CPeriodicTasks::ResumePeriodicTasks() {
    std::lock_guard lock(m_mutex);
    m_suspended = false;
}

bool CPeriodicTasks::IsSuspended() const {
    std::lock_guard lock(m_mutex);
    return m_suspended;
}

void CPeriodicTasks::RunPeriodicTasks() {
    const std::int64_t now = m_clock.WallSeconds();
    std::vector<std::function<void()>> due;
    {
        std::lock_guard lock(m_mutex);
        if (m_suspended)
            return;
        for (auto& task : m_tasks) {
            // A clock set back would otherwise stall the task until it caught up
            // again; the moment it went back counts as a new start instead.
            const bool isDue =
                !task.lastRun || now < *task.lastRun || now - *task.lastRun >= task.intervalSeconds;
            if (!isDue)
                continue;
            task.lastRun = now;
            due.push_back(task.function);
        }
    }
    // Called outside the lock: a task may register or suspend others.
    for (auto& task : due)
        if (task)
            task();
}

} // namespace murmex
