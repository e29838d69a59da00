// The message list with 10,000 stored messages: opening it (made, filled,
// shown and drawn once) against a bare list widget filled with the same
// 10,000 lines and drawn the same way; and marking one message read against
// one save of the same data, all in one run. See message_list.sh for the ratios.
#include "friends/message_list_dlg.h"
#include "friends/message_list_model.h"
#include "friends/message_windows.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "storage/options.h"
#include "ui/local_text.h"

#include <QApplication>
#include <QListView>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace murmex;

constexpr int kMessages = 10000;
constexpr int kFriends = 40;

class CSilentBox final : public IMessageBox {
public:
    void ShowMessage(std::string_view) override {}
};

// A local user with 40 friends and 10,000 messages on disk, loaded.
class CListWorld {
public:
    CListWorld() : m_engine(SEngineSettings{}) {
        char pattern[] = "/tmp/murmex-bench-XXXXXX";
        m_dir = std::string(::mkdtemp(pattern)) + "/";
        CPaths::SetDataDirectory(m_dir);
        WriteData();
        m_data = std::make_unique<CDataManager>(m_engine, m_channels, m_clock);
        m_data->SwitchLocalUser(5);
        m_windows = std::make_unique<CMessageWindows>(
            SMessageWindowServices{*m_data, m_engine, m_box, m_clock, {}, {}});
    }
    ~CListWorld() {
        m_windows.reset();
        m_data->Shutdown();
        m_data.reset();
        std::filesystem::remove_all(m_dir);
    }

    CDataManager& Data() { return *m_data; }
    CMessageWindows& Windows() { return *m_windows; }

private:
    void WriteData() {
        std::ofstream out(m_dir + "murmex.cfg", std::ios::binary);
        out << "[LocalUsers]\r\nQID=\"5\" Nick=\"ja\" Email=\"ja@example.pl\" Name=\"\" "
               "Surname=\"\" HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" \r\n\r\n";
        out << "[QID5-Groups]\r\nGID=\"100\" Name=\"Znajomi\" FriendsCount=\"" << kFriends << "\" ";
        for (int i = 0; i < kFriends; ++i)
            out << "F" << i + 1 << "=\"" << 100 + i << "\" ";
        out << "\r\n\r\n[QID5-Friends]\r\nfriends=\"";
        for (int i = 0; i < kFriends; ++i)
            out << (i ? "," : "") << 100 + i;
        out << "\" \r\n\r\n[QID5-Users]\r\n";
        for (int i = 0; i < kFriends; ++i)
            out << "QID=\"" << 100 + i << "\" Nick=\"znajomy" << i << "\" Email=\"z" << i
                << "@example.pl\" Name=\"Jan\" Surname=\"Kowalski\" HasRemoteCellPhone=\"0\" "
                   "RemoteCellPhonePrefix=\"\" \r\n";
        out << "\r\n[QID5-Messages]\r\n";
        for (int i = 0; i < kMessages; ++i)
            out << "msgtext=\"Wiadomosc numer " << i
                << " o tym i o owym, troche dluzsza niz zwykle\" wasread=\"1\" sender=\""
                << 100 + i % kFriends << "\" whensent=\"" << 1700000000 + i * 60 << "\" type=\""
                << i % 3 << "\" \r\n";
    }

    std::string m_dir;
    CRequestEngine m_engine;
    CSystemClock m_clock;
    CChannelList m_channels{m_engine, m_clock};
    CSilentBox m_box;
    std::unique_ptr<CDataManager> m_data;
    std::unique_ptr<CMessageWindows> m_windows;
};

CListWorld& World() {
    static CListWorld world;
    return world;
}

// The lines a list of the inbox shows, as the bare widget gets them.
QStringList Lines() {
    static QStringList lines = [] {
        QStringList all;
        for (const SMessageRow& row : World().Data().MessageRows())
            all << FromLocal(row.summary);
        return all;
    }();
    return lines;
}

void BM_MessageListOpen(benchmark::State& state) {
    CListWorld& world = World();
    for (auto _ : state) {
        CMessageListDlg list(world.Windows());
        list.Fill();
        list.show();
        benchmark::DoNotOptimize(list.grab());
        list.hide();
    }
    state.counters["rows"] = World().Data().MessageCount();
}
BENCHMARK(BM_MessageListOpen)->Unit(benchmark::kMillisecond);

void BM_BareListWidgetOpen(benchmark::State& state) {
    const QStringList lines = Lines();
    for (auto _ : state) {
        QListWidget list;
        list.resize(400, 200);
        for (const QString& line : lines)
            list.addItem(line);
        list.setCurrentRow(0);
        list.show();
        benchmark::DoNotOptimize(list.grab());
        list.hide();
    }
    state.counters["rows"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_BareListWidgetOpen)->Unit(benchmark::kMillisecond);

// Two received messages near the top (rows 0 and 3; sent ones always count as
// read), made unread by turns: the list shows one, then the other; each
// showing marks its message read, which should cost one save.
void BM_MarkOneRead(benchmark::State& state) {
    CListWorld& world = World();
    CMessageListDlg list(world.Windows());
    list.Fill();
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.List()->setCurrentIndex(list.Model()->index(1));
        world.Data().SetMessageRead(list.Model()->MessageIndex(row), false);
        state.ResumeTiming();
        list.List()->setCurrentIndex(list.Model()->index(row));
        row = row == 0 ? 3 : 0;
    }
}
BENCHMARK(BM_MarkOneRead)->Unit(benchmark::kMillisecond);

void BM_SaveOnce(benchmark::State& state) {
    CListWorld& world = World();
    for (auto _ : state)
        benchmark::DoNotOptimize(world.Data().Save());
}
BENCHMARK(BM_SaveOnce)->Unit(benchmark::kMillisecond);

} // namespace
