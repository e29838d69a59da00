#include "support/wait_for.h"

#include <thread>

namespace murmex::test {
namespace {

std::function<void()>& IdleStep() {
    static std::function<void()> step;
    return step;
}

} // namespace

void SetWaitIdleStep(std::function<void()> step) {
    IdleStep() = std::move(step);
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        if (IdleStep())
            IdleStep()();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace murmex::test
