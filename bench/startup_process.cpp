// Start-up of the whole program as a user sees it: from launching murmex to
// its main bar on the screen, less the time the splash is up, against
// launching a bare Qt program with a 200-item tree window, run after run in
// turn on one X display. The data folders hold 300 friends and 0, 10,000 or
// 50,000 messages. A window counts as shown when the X server maps it; the
// clock watches the root window, so neither program is changed for it. The
// processor time the programs have spent by then is given too, less what
// was spent while the splash was up.
//
//   startup_process MURMEX BARE_TREE_WINDOW [RUNS]
//
// See startup_process.sh, which provides the display. STARTUP_TRACE=1 in the
// environment prints every window event as it comes.
#include "platform/paths.h"
#include "sample_stats.h"
#include "startup_data.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Top-level windows being mapped and unmapped, as the X server tells them.
class CWindowWatch {
public:
    CWindowWatch() : m_x(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(m_x))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_x);
        m_ok = true;
    }
    ~CWindowWatch() { xcb_disconnect(m_x); }
    CWindowWatch(const CWindowWatch&) = delete;
    CWindowWatch& operator=(const CWindowWatch&) = delete;

    bool Ok() const { return m_ok; }

    struct SEvent {
        bool mapped;
        xcb_window_t window;
        std::string title;
        Clock::time_point when;
    };

    // The next map or unmap of a top-level window, or nothing once `until` passed.
    std::optional<SEvent> Next(Clock::time_point until) {
        for (;;) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_x);
            if (!event) {
                if (Clock::now() > until || xcb_connection_has_error(m_x))
                    return std::nullopt;
                ::usleep(200);
                continue;
            }
            const Clock::time_point when = Clock::now();
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
            const int type = event->response_type & 0x7F;
            if (type == XCB_MAP_NOTIFY) {
                auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (map->override_redirect)
                    continue;
                return SEvent{true, map->window, Title(map->window), when};
            }
            if (type == XCB_UNMAP_NOTIFY) {
                auto* unmap = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
                return SEvent{false, unmap->window, {}, when};
            }
        }
    }

private:
    std::string Title(xcb_window_t window) {
        auto cookie =
            xcb_get_property(m_x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_x, cookie, nullptr), &std::free);
        if (!reply)
            return {};
        return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    xcb_connection_t* m_x;
    xcb_window_t m_root = 0;
    bool m_ok = false;
};

// The processor time all of a process's threads have had so far.
double CpuMs(pid_t pid) {
    double total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::FILE* file = std::fopen((task.path() / "schedstat").c_str(), "r");
        if (!file)
            continue;
        unsigned long long ns = 0;
        if (std::fscanf(file, "%llu", &ns) == 1)
            total += static_cast<double>(ns) / 1e6;
        std::fclose(file);
    }
    return total;
}

pid_t Launch(const std::string& program, const std::string& home) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!home.empty())
            ::setenv("MURMEX_HOME", home.c_str(), 1);
        ::setenv("MURMEX_PORT", "1", 1); // no service: the start must not wait for one
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

void End(pid_t pid) {
    ::kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 300 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
        ::usleep(10'000);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
}

struct STimes {
    double wall; // launch to the window, less the time other windows were up
    double cpu;  // the processor time spent by then, less what was spent meanwhile
};

// Launch to the window titled `title` being mapped, the `skip` windows of
// that title before it not counted; nothing on failure.
std::optional<STimes> TimeToWindow(CWindowWatch& watch, const std::string& program,
                                   const std::string& home, const std::string& title, int skip) {
    // What the last program's windows still had to say.
    while (watch.Next(Clock::now() + std::chrono::milliseconds(50))) {
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = Launch(program, home);
    std::optional<STimes> result;
    double before = 0;
    double cpuBefore = 0;
    struct SUp {
        xcb_window_t window;
        Clock::time_point since;
        double cpuSince;
    };
    std::vector<SUp> up;
    const bool trace = std::getenv("STARTUP_TRACE") != nullptr;
    while (auto event = watch.Next(start + std::chrono::seconds(30))) {
        if (trace)
            std::fprintf(stderr, "%8.1f ms %-5s \"%s\", %.1f ms of processor\n",
                         Ms(event->when - start), event->mapped ? "map" : "unmap",
                         event->title.c_str(), CpuMs(pid));
        if (event->mapped && event->title == title && skip-- == 0) {
            result = STimes{Ms(event->when - start) - before, CpuMs(pid) - cpuBefore};
            break;
        }
        if (event->mapped) {
            up.push_back({event->window, event->when, CpuMs(pid)});
            continue;
        }
        for (auto it = up.begin(); it != up.end(); ++it)
            if (it->window == event->window) {
                before += Ms(event->when - it->since);
                cpuBefore += CpuMs(pid) - it->cpuSince;
                up.erase(it);
                break;
            }
    }
    End(pid);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s MURMEX BARE_TREE_WINDOW [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string murmex = argv[1];
    const std::string bare = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 11;
    CWindowWatch watch;
    if (!watch.Ok()) {
        std::fprintf(stderr, "no X display: run it through startup_process.sh\n");
        return 2;
    }

    const std::vector<int> sizes = {0, 10000, 50000};
    std::vector<std::string> homes;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        char pattern[] = "/var/tmp/murmex-startup-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (!made)
            return 1;
        homes.push_back(std::string(made) + "/");
    }

    std::vector<STimes> bareTimes;
    std::vector<std::vector<STimes>> times(sizes.size());
    bool failed = false;
    for (int run = 0; run < runs && !failed; ++run) {
        // In turn, so that whatever else the machine does falls on all alike.
        if (auto t = TimeToWindow(watch, bare, {}, "bare tree", 0))
            bareTimes.push_back(*t);
        else
            failed = true;
        for (std::size_t i = 0; i < sizes.size() && !failed; ++i) {
            // Every start from the same file: the last one ended by saving.
            std::filesystem::remove_all(homes[i]);
            std::filesystem::create_directory(homes[i]);
            murmex::CPaths::SetDataDirectory(homes[i]);
            murmex::bench::WriteStartupData(homes[i], sizes[i]);
            // The splash, titled as the program, comes first.
            if (auto t = TimeToWindow(watch, murmex, homes[i], "Murmex", 1))
                times[i].push_back(*t);
            else
                failed = true;
        }
    }
    for (const std::string& home : homes)
        std::filesystem::remove_all(home);
    if (failed) {
        std::fprintf(stderr, "a window never showed\n");
        return 1;
    }

    const auto median = [](const std::vector<STimes>& all, double STimes::*field) {
        std::vector<double> values;
        for (const STimes& t : all)
            values.push_back(t.*field);
        return murmex::bench::Median(values);
    };
    const double bareWall = median(bareTimes, &STimes::wall);
    const double bareCpu = median(bareTimes, &STimes::cpu);
    std::printf("bare 200-item tree window: %.1f ms, %.1f ms of processor (medians of %d)\n",
                bareWall, bareCpu, runs);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const double wall = median(times[i], &STimes::wall);
        const double cpu = median(times[i], &STimes::cpu);
        std::printf("murmex, 300 friends, %5d messages: %.1f ms less the splash (ratio %.2f), "
                    "%.1f ms of processor (ratio %.2f)\n",
                    sizes[i], wall, wall / bareWall, cpu, cpu / bareCpu);
    }
    return 0;
}
