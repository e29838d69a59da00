// What storing one message and marking one read cost with 100 and with
// 50,000 messages stored, against one fsync'd append of a line of the same
// size to a plain file, in one run.
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "protocol/request_engine.h"
#include "storage/config_file.h"
#include "storage/options.h"
#include "storage/text_file.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace murmex;

std::string MessageLine(int n) {
    return "msgtext=\"Wiadomo\x9C\xE6 numer " + std::to_string(n) +
           " z prob\xB9 tekstu\" wasread=\"0\" sender=\"" + std::to_string(100 + n % 300) +
           "\" whensent=\"1700000000\" type=\"0\" ";
}

class CTempDir {
public:
    CTempDir() {
        char pattern[] = "/var/tmp/murmex-bench-XXXXXX";
        m_dir = std::string(::mkdtemp(pattern)) + "/";
        CPaths::SetDataDirectory(m_dir);
    }
    ~CTempDir() { std::filesystem::remove_all(m_dir); }
    const std::string& Path() const { return m_dir; }

private:
    std::string m_dir;
};

// murmex.cfg of one local user (QID 5) with `messages` stored messages.
void WriteDataFile(const std::string& dir, int messages) {
    std::vector<std::string> lines = {
        "[LocalUsers]",
        "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
        "RemoteCellPhonePrefix=\"\" SavePassword=\"1\" Password=\"pw\" ",
        "[QID5-Messages]"};
    for (int i = 0; i < messages; ++i)
        lines.push_back(MessageLine(i));
    RewriteTextFile(dir + "murmex.cfg", lines);
}

void BM_FsyncAppendOfOneLine(benchmark::State& state) {
    CTempDir dir;
    const std::string line = MessageLine(1) + "\r\n";
    int fd = ::open((dir.Path() + "plain.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    for (auto _ : state) {
        if (::write(fd, line.data(), line.size()) < 0 || ::fdatasync(fd) != 0)
            state.SkipWithError("write");
    }
    ::close(fd);
}

struct SManager {
    CRequestEngine engine;
    CChannelList channels{engine, CSystemClock::Instance()};
    std::unique_ptr<CDataManager> data;
    explicit SManager(const std::string& dir, int messages) {
        ClearOptions();
        CConfigFile::ForgetAll();
        WriteDataFile(dir, messages);
        data = std::make_unique<CDataManager>(engine, channels, CSystemClock::Instance());
        data->SwitchLocalUser(5);
        data->WaitForWorkers();
    }
};

void BM_StoreOneMessage(benchmark::State& state) {
    CTempDir dir;
    SManager m(dir.Path(), static_cast<int>(state.range(0)));
    int n = 0;
    for (auto _ : state) {
        CMessageRecord message;
        ++n;
        message.SetContent("Wiadomo\x9C\xE6 numer " + std::to_string(n), 100 + n % 300, 1700000000);
        m.data->AddMessage(std::move(message));
        m.data->FlushStorage(); // on disk before the next one, as the fetch does
    }
}

void BM_MarkOneRead(benchmark::State& state) {
    CTempDir dir;
    const int stored = static_cast<int>(state.range(0));
    SManager m(dir.Path(), stored);
    int n = 0;
    bool read = true;
    for (auto _ : state) {
        m.data->SetMessageRead(n, read);
        m.data->FlushStorage();
        if (++n == stored) {
            n = 0;
            read = !read;
        }
    }
}

BENCHMARK(BM_FsyncAppendOfOneLine)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_StoreOneMessage)->Arg(100)->Arg(50000)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_MarkOneRead)->Arg(100)->Arg(50000)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace
