#pragma once

#include "platform/clock.h"
#include "storage/options.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace murmex::test {

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
    CFakeClock clock{0};
};

} // namespace murmex::test
