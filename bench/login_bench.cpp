// A login that finds 1,000 messages waiting: the time until every one is
// fetched and stored, against the same fetch with saving switched off, in one run.
#include "bench_server.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/user_record.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "server/admin_tool.h"
#include "storage/options.h"

#include <benchmark/benchmark.h>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <string>

namespace {

using namespace murmex;

constexpr int kMessages = 1000;

class CLoginSink final : public IHeartbeatSink {
public:
    void LoginFinished(bool success) override {
        std::lock_guard lock(m_mutex);
        m_result = success ? 1 : 0;
        m_cv.notify_all();
    }
    void PushFriendOnline(int) override {}
    void PushNewMessage(int) override {}
    void LocalUserSwitching() override {}
    bool Wait() {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [&] { return m_result >= 0; });
        bool ok = m_result == 1;
        m_result = -1;
        return ok;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_result = -1;
};

// A server in this process with two members; the second writes to the first.
class CBenchWorld {
public:
    CBenchWorld() {
        m_reader = CreateUser("czytelnik", "haslo");
        m_writer = CreateUser("pisarz", "haslo");
    }

    void QueueMessages(int count) {
        auto writer = m_server.NewEngine();
        writer->Connect();
        CUserRecord me(m_writer);
        me.SetPassword("haslo");
        me.LoginAs(*writer);
        CUserRecord to(m_reader);
        for (int i = 0; i < count; ++i)
            to.SendMessage(*writer,
                           "Wiadomo\x9C\xE6 numer " + std::to_string(i) + " z prob\xB9 tekstu");
    }

    void ResetClientFiles() { std::remove((m_server.Dir() + "murmex.cfg").c_str()); }

    bench::CBenchServer& Server() { return m_server; }
    int Reader() const { return m_reader; }

private:
    int CreateUser(const std::string& nick, const std::string& password) {
        std::ostringstream out, err;
        RunAdmin({"create-user", "--nick", nick, "--email", nick + "@example.pl", "--password",
                  password, "--fast-hash", "--database", m_server.Database()},
                 out, err);
        return std::atoi(out.str().c_str());
    }

    bench::CBenchServer m_server;
    int m_reader = 0, m_writer = 0;
};

void LoginWithWaitingMessages(benchmark::State& state, bool saveChanges) {
    CBenchWorld world;
    for (auto _ : state) {
        state.PauseTiming();
        world.ResetClientFiles();
        ClearOptions();
        world.QueueMessages(kMessages);
        auto client = world.Server().NewEngine();
        CRequestEngine& engine = *client;
        CChannelList channels(engine, CSystemClock::Instance());
        engine.Connect();
        {
            // The local user with a saved password, stored the ordinary way.
            CDataManager setup(engine, channels, CSystemClock::Instance());
            setup.AddLocalUser(world.Reader());
            setup.LocalUser(world.Reader())->SetSavePassword(true);
            setup.LocalUser(world.Reader())->SetPassword("haslo");
            setup.Save();
        }
        SDataManagerSettings settings;
        settings.saveChanges = saveChanges;
        CDataManager data(engine, channels, CSystemClock::Instance(), nullptr, settings);
        CLoginSink sink;
        data.SetHeartbeatSink(&sink);
        data.SwitchLocalUser(world.Reader());
        data.WaitForWorkers();
        state.ResumeTiming();

        data.StartLogin();
        const bool loggedIn = sink.Wait();

        state.PauseTiming();
        const int stored = data.MessageCount();
        data.Shutdown();
        state.ResumeTiming();
        if (!loggedIn || stored != kMessages) {
            state.SkipWithError(loggedIn ? "not every message was stored" : "login failed");
            break;
        }
    }
    state.counters["messages_per_s"] =
        benchmark::Counter(static_cast<double>(kMessages) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_LoginFetchAndStore(benchmark::State& state) {
    LoginWithWaitingMessages(state, true);
}
void BM_LoginFetchOnly(benchmark::State& state) {
    LoginWithWaitingMessages(state, false);
}

BENCHMARK(BM_LoginFetchAndStore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LoginFetchOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
