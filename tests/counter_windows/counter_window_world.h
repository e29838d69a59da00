#pragma once

#include "counter/call_counter.h"
#include "counter/local_time.h"
#include "counter_windows/counter_window_services.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "storage/options.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// What the counter's windows are handed: a call counter over a fresh data
// directory, a clock that stands still, and a desktop, message box and help
// that only remember what they were asked.
namespace murmex::test {

class CStillClock final : public IClock {
public:
    std::int64_t now = 0;
    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override { return now * 1000; }
};

class CAskedDesktop final : public IDesktopShell {
public:
    std::vector<std::string> opened;
    bool OpenDocument(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return true;
    }
};

class CShownMessages final : public IMessageBox {
public:
    std::vector<std::string> shown;
    void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
};

// Every test runs in Warsaw time with an empty options table, so local days
// and months never depend on the machine.
class CCounterWindowTest : public ::testing::Test {
protected:
    CCounterWindowTest() {
        setenv("TZ", "Europe/Warsaw", 1);
        tzset();
        ClearOptions();
        clock.now = MakeLocalTime(2026, 3, 15, 12, 0, 0);
        counter = std::make_unique<CallCounter>(clock);
    }
    void TearDown() override { ClearOptions(); }

    SCounterWindowServices Services() {
        return {*counter, desktop, messages, clock, [this](int topic) { help.push_back(topic); }};
    }

    // A logged call that started at a local time.
    void AddCall(int year, int month, int day, int hour, int minute, int second, int duration,
                 int impulses, double price = 0.33) {
        CallRecord record;
        record.start = MakeLocalTime(year, month, day, hour, minute, second);
        record.lastImpulse = record.start;
        record.duration = duration;
        record.impulses = impulses;
        record.pricePerImpulse = price;
        counter->Log().Insert(record);
    }

    CTempDataDir dir;
    CStillClock clock;
    CAskedDesktop desktop;
    CShownMessages messages;
    std::vector<int> help;
    std::unique_ptr<CallCounter> counter;
};

// Runs the action once the next modal window is up, hands that window over and
// closes it, so that a test can open a modal window from a button.
inline void OnNextModal(std::function<void(QWidget*)> look) {
    QTimer::singleShot(0, [look = std::move(look)] {
        QWidget* modal = QApplication::activeModalWidget();
        look(modal);
        if (modal)
            modal->close();
    });
}

} // namespace murmex::test
