#include "platform/clock.h"

#include <chrono>

namespace murmex {

std::int64_t CSystemClock::WallSeconds() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t CSystemClock::MonotonicMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

IClock& CSystemClock::Instance() {
    static CSystemClock clock;
    return clock;
}

} // namespace murmex
