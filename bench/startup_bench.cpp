// Start-up of the data: the core load path (options, channels, local users,
// then every section of the signed-in user) and the program's own friend tree
// filled with 300 friends as a switch of the local user fills it (which asks
// for each whether it has unread messages), against a bare Qt window holding
// a 200-item tree, in one run. The real main bar is left out: it needs the
// whole application (skin, tray, timers); this is what its start-up adds on
// top of a window for the data. Every group is opened before the window shows,
// so the tree draws all 310 rows (the program would draw the ten closed groups).
#include "friends/friend_tree.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "protocol/request_engine.h"
#include "startup_data.h"
#include "storage/config_file.h"
#include "storage/options.h"

#include <QApplication>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace murmex;


class CTempDir {
public:
    CTempDir() {
        char pattern[] = "/var/tmp/murmex-startup-XXXXXX";
        m_dir = std::string(::mkdtemp(pattern)) + "/";
        CPaths::SetDataDirectory(m_dir);
    }
    ~CTempDir() { std::filesystem::remove_all(m_dir); }
    const std::string& Path() const { return m_dir; }

private:
    std::string m_dir;
};

void BM_BareTreeWindow(benchmark::State& state) {
    for (auto _ : state) {
        QTreeWidget tree;
        tree.setWindowTitle("tree");
        for (int i = 0; i < 200; ++i)
            new QTreeWidgetItem(&tree, QStringList{QString("Element %1").arg(i)});
        tree.show();
        QApplication::processEvents();
    }
}

void BM_DataStartup(benchmark::State& state) {
    CTempDir dir;
    bench::WriteStartupData(dir.Path(), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CConfigFile::ForgetAll(); // read from disk, as a program that just started
        ClearOptions();
        LoadOptions();
        CRequestEngine engine;
        CChannelList channels(engine, CSystemClock::Instance());
        channels.Load();
        CDataManager data(engine, channels, CSystemClock::Instance());
        // As the program starts: the main bar's tree exists (empty) before the
        // local user is chosen, whose switch fills it.
        CFriendTree tree(data, nullptr);
        data.SetTreeView(&tree);
        data.SwitchLocalUser(5);
        if (tree.topLevelItemCount() != 10 || tree.BlinkList().empty() != (state.range(0) == 0))
            state.SkipWithError("the friend tree was not filled");
        tree.setWindowTitle("friends");
        tree.expandAll();
        tree.show();
        QApplication::processEvents();
        data.WaitForWorkers();
    }
}

BENCHMARK(BM_BareTreeWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_DataStartup)
    ->Arg(0)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace
