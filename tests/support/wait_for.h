#pragma once

#include <chrono>
#include <functional>

namespace murmex::test {

// Waits until the condition holds; false if it never did within the bound
// (the bound only keeps a broken test from hanging, it is never a timing
// check). Between looks it runs the idle step: a short sleep, or, in the GUI
// tests (whose main sets it), a turn of the event loop.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(20));

// The bound in milliseconds.
inline bool WaitFor(const std::function<bool()>& condition, int boundMs) {
    return WaitFor(condition, std::chrono::milliseconds(boundMs));
}

// What WaitFor does between looks; empty restores the short sleep.
void SetWaitIdleStep(std::function<void()> step);

} // namespace murmex::test
