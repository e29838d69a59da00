#pragma once

#include <cstdint>

namespace murmex {

// Time as the program sees it; injected so that timed logic is tested without sleeping.
class IClock {
public:
    virtual ~IClock() = default;
    // Seconds since 1970-01-01 UTC.
    virtual std::int64_t WallSeconds() const = 0;
    // A monotonic millisecond count with an arbitrary origin.
    virtual std::int64_t MonotonicMs() const = 0;
};

class CSystemClock final : public IClock {
public:
    std::int64_t WallSeconds() const override;
    std::int64_t MonotonicMs() const override;
    // The process-wide real clock.
    static IClock& Instance();
};

} // namespace murmex
