#pragma once

#include "session/heartbeat.h"
#include "session/internet_connection.h"
#include "session/periodic_tasks.h"
#include "session/shell_fakes.h"
#include "storage/options.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace murmex::test {

// A heartbeat wired to fakes. With no options set, the fake system's default
// route decides whether the connection is up.
class HeartbeatTest : public ::testing::Test {
protected:
    // An even second, so that the blinking pictures start from their first.
    static constexpr std::int64_t kStart = 1'000'000;

    HeartbeatTest() {
        ClearOptions();
        m_heartbeat.Attach(m_data, m_counter, m_view);
    }
    ~HeartbeatTest() override { ClearOptions(); }

    // One timer event, the wall clock moved on by the given seconds first.
    void Tick(int seconds = 0) {
        m_clock.Advance(seconds);
        m_heartbeat.Tick();
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            Tick();
    }
    // The connection comes up, a login starts and the login thread succeeds.
    void ComeOnlineAndLogIn() {
        m_platform.online = true;
        Tick();
        m_engine.SetLoggedIn(true);
        m_heartbeat.LoginFinished(true);
        Tick();
    }
    int LastTray() const { return m_view.trayPictures.empty() ? -1 : m_view.trayPictures.back(); }
    std::string LastStatus() const {
        return m_view.statusLines.empty() ? "" : m_view.statusLines.back();
    }

    CTempDataDir m_dataDir;
    CFakeClock m_clock{kStart};
    CPeriodicTasks m_tasks{m_clock};
    CFakeDialUpPlatform m_platform;
    CInternetConnection m_connection{m_platform};
    CRequestEngine m_engine;
    CFakeMessageBox m_box;
    CFakeDataManager m_data{m_engine};
    CFakeCallCounter m_counter;
    CFakeHeartbeatView m_view;
    CHeartbeat m_heartbeat{m_clock, m_tasks, m_connection, m_engine, m_box};
};

} // namespace murmex::test
