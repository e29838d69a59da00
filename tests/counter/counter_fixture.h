#pragma once

#include "platform/clock.h"
#include "storage/options.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace murmex::test {

// Wall time that only moves when a test moves it.
class CFakeClock final : public IClock {
public:
    std::int64_t now = 0;
    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override { return now * 1000; }
};

// Every counter test runs in Warsaw time, in a fresh data directory, with an
// empty options table, so results never depend on the machine.
class CCounterTest : public ::testing::Test {
protected:
    // In the constructor, not SetUp: derived fixtures compute local times in
    // their member initialisers.
    CCounterTest() {
        setenv("TZ", "Europe/Warsaw", 1);
        tzset();
        ClearOptions();
    }
    void TearDown() override { ClearOptions(); }

    CTempDataDir dir;
    CFakeClock clock;
};

} // namespace murmex::test
