// A search whose 100 results are all unknown to the client: from "Szukaj >>"
// to the results dialog's first paint, against the same 101 exchanges (the
// search and one user request per result) made over a bare socket with the
// same bytes, both against one in-process murmexd in the same run: paired
// search by search (BM_SearchPairedWithRaw), and each in a loop of its own
// with the search's parts beside it. See user_search.sh.
#include "bench_server.h"
#include "friends/user_search_dlg.h"
#include "friends/user_search_results_dlg.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "sample_stats.h"
#include "storage/options.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace murmex;

constexpr int kFound = 100;

class CSilentBox final : public IMessageBox {
public:
    void ShowMessage(std::string_view) override {}
};

std::string Line(int code, const CParamRecord& record) {
    return std::to_string(code) + " " + record.Serialize() + "\r\n";
}

// One blocking exchange over a bare socket: the line out, one line back.
bool RawExchange(int fd, const std::string& line, std::string& answer) {
    if (::send(fd, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
        return false;
    answer.clear();
    char buffer[4096];
    while (answer.find("\r\n") == std::string::npos) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

// Counts the paints of one widget: the results are shown once their list has
// been drawn.
class CPaintWatch final : public QObject {
public:
    explicit CPaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    int Paints() const { return m_paints; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    int m_paints = 0;
};

// murmexd with a searcher and 100 members called "szukany…", and the
// searcher's client signed in.
class CSearchWorld {
public:
    CSearchWorld() {
        m_engine = m_server.NewEngine();
        m_engine->Connect();
        m_me = Register("szukajacy");
        for (int i = 0; i < kFound; ++i)
            m_found.push_back(Register("szukany" + std::to_string(i)));
        CUserRecord me(m_me);
        me.SetPassword("haslo");
        me.LoginAs(*m_engine);
        m_channels = std::make_unique<CChannelList>(*m_engine, m_clock);
        m_data = std::make_unique<CDataManager>(*m_engine, *m_channels, m_clock);
        m_data->AddLocalUser(m_me);
        m_data->SwitchLocalUser(m_me);
        m_data->WaitForWorkers();
        me.LoginAs(*m_engine);
    }
    ~CSearchWorld() {
        m_data->Shutdown();
        m_data.reset();
    }

    // Nobody found earlier is known any more.
    void Forget() {
        std::ofstream(m_server.Dir() + "murmex.cfg", std::ios::binary | std::ios::trunc)
            << "[LocalUsers]\r\nQID=\"" << m_me
            << "\" Nick=\"szukajacy\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
               "RemoteCellPhonePrefix=\"\" \r\n";
        m_data->Load();
    }

    CDataManager& Data() { return *m_data; }
    IMessageBox& Box() { return m_box; }
    int Me() const { return m_me; }
    std::uint16_t Port() const { return m_server.Port(); }
    const std::vector<int>& Found() const { return m_found; }

private:
    int Register(const std::string& nick) {
        CUserRecord u;
        u.SetNick(nick);
        u.SetDetailEmail(nick + "@example.pl");
        u.SetDetailName("Jan");
        u.SetDetailSurname("Kowalski");
        u.SetSex(-1);
        u.SetPassword("haslo");
        return u.Register(*m_engine) ? u.Qid() : 0;
    }

    bench::CBenchServer m_server;
    std::unique_ptr<CRequestEngine> m_engine;
    CSystemClock m_clock;
    CSilentBox m_box;
    std::unique_ptr<CChannelList> m_channels;
    std::unique_ptr<CDataManager> m_data;
    int m_me = 0;
    std::vector<int> m_found;
};

CSearchWorld& World() {
    static CSearchWorld world;
    return world;
}

// Both windows as the program has them when "Szukaj >>" is pressed: the
// criteria on screen, the results' window made and laid out beside them.
struct SSearchWindows {
    std::unique_ptr<CUserSearchDlg> criteria;
    std::unique_ptr<CUserSearchResultsDlg> results;
};

SSearchWindows OpenSearchWindows(CSearchWorld& world) {
    SSearchWindows w;
    w.criteria =
        std::make_unique<CUserSearchDlg>(world.Data(), world.Box(), std::function<void(int)>{});
    w.criteria->NickEdit()->setText(QStringLiteral("szukany"));
    w.results = std::make_unique<CUserSearchResultsDlg>(world.Data(), std::vector<int>{},
                                                        std::function<void(int)>{});
    w.results->Prepare();
    w.criteria->show();
    QApplication::processEvents();
    return w;
}

// Shows the results and runs the events until the list's first paint: shown
// means drawn once.
bool ShowUntilDrawn(CUserSearchResultsDlg& results) {
    CPaintWatch painted(results.List()->viewport());
    results.show();
    for (int spins = 0; painted.Paints() == 0 && spins < 1000; ++spins)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return painted.Paints() > 0;
}

// "Szukaj >>" on the open windows, then the results as the program shows them.
bool SearchAndShow(CSearchWorld& world, SSearchWindows& w) {
    w.criteria->SearchButton()->click();
    w.results->Fill(world.Data().SearchResultQids());
    return ShowUntilDrawn(*w.results);
}

void BM_SearchHundredUnknownUsers(benchmark::State& state) {
    CSearchWorld& world = World();
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        world.Forget();
        SSearchWindows w = OpenSearchWindows(world);
        state.ResumeTiming();
        if (!SearchAndShow(world, w))
            state.SkipWithError("the results were never drawn");
        shown = w.results->List()->topLevelItemCount();
        // Closing: the found users finish going to disk, as in the program
        // while the results are on screen.
        state.PauseTiming();
        w.results.reset();
        w.criteria.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = world.Data().SearchResultCount();
    state.counters["shown"] = shown;
}
BENCHMARK(BM_SearchHundredUnknownUsers)->Unit(benchmark::kMillisecond);

// The same search without windows: the data manager's part of the figure
// above (the exchanges and the caching of the users they bring).
void BM_SearchInTheDataManager(benchmark::State& state) {
    CSearchWorld& world = World();
    CUserRecord criteria;
    criteria.SetNick("szukany");
    for (auto _ : state) {
        state.PauseTiming();
        world.Forget();
        state.ResumeTiming();
        world.Data().SearchUsers(criteria, false);
    }
    state.counters["rows"] = world.Data().SearchResultCount();
}
BENCHMARK(BM_SearchInTheDataManager)->Unit(benchmark::kMillisecond);

// The windows' part of the figure above: once the search has ended, closing
// the criteria, filling the 100 rows, showing the results and their first
// paint. `afterExchanges` runs the search's exchanges just before each time,
// as they come in the program: the windows then meet caches the network and
// the server have just filled.
void ShowFoundUsers(benchmark::State& state, bool afterExchanges) {
    CSearchWorld& world = World();
    CUserRecord search;
    search.SetNick("szukany");
    world.Forget();
    if (!world.Data().SearchUsers(search, false))
        state.SkipWithError("the search failed");
    const std::vector<int> found = world.Data().SearchResultQids();
    for (auto _ : state) {
        state.PauseTiming();
        SSearchWindows w = OpenSearchWindows(world);
        if (afterExchanges) {
            world.Forget();
            world.Data().SearchUsers(search, false);
        }
        state.ResumeTiming();
        w.criteria->hide();
        w.results->Fill(found);
        if (!ShowUntilDrawn(*w.results))
            state.SkipWithError("the results were never drawn");
        state.PauseTiming();
        w.results.reset();
        w.criteria.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(found.size());
}

void BM_ResultsWindowShown(benchmark::State& state) {
    ShowFoundUsers(state, false);
}
BENCHMARK(BM_ResultsWindowShown)->Unit(benchmark::kMillisecond);

void BM_ResultsWindowShownAfterExchanges(benchmark::State& state) {
    ShowFoundUsers(state, true);
}
BENCHMARK(BM_ResultsWindowShownAfterExchanges)->Unit(benchmark::kMillisecond);

// The search's request lines on a bare socket signed in as the searcher: the
// search and one user request per result, each line sent and its answer read
// in full before the next.
class CRawSearch {
public:
    explicit CRawSearch(CSearchWorld& world) : m_fd(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(world.Port());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(m_fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
        int on = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        RawExchange(m_fd, "1010\r\n", m_answer);
        CParamRecord login;
        login.AddInt("userid", world.Me());
        login.AddText("password", "haslo");
        RawExchange(m_fd, Line(CMD_LOGIN, login), m_answer);

        CParamRecord search;
        for (const char* key : {"nick", "email", "name", "surname", "city", "age"})
            search.AddText(key, std::string(key) == "nick" ? "szukany" : "");
        m_lines.push_back(Line(CMD_SEARCH_USERS, search));
        for (int qid : world.Found()) {
            CParamRecord get;
            get.AddInt("userid", qid);
            m_lines.push_back(Line(CMD_GET_USER, get));
        }
    }
    ~CRawSearch() { ::close(m_fd); }
    CRawSearch(const CRawSearch&) = delete;
    CRawSearch& operator=(const CRawSearch&) = delete;

    bool Run() {
        for (const std::string& line : m_lines)
            if (!RawExchange(m_fd, line, m_answer))
                return false;
        return true;
    }
    std::size_t Exchanges() const { return m_lines.size(); }

private:
    int m_fd;
    std::vector<std::string> m_lines;
    std::string m_answer;
};

void BM_RawExchanges(benchmark::State& state) {
    CRawSearch raw(World());
    for (auto _ : state)
        if (!raw.Run())
            state.SkipWithError("exchange failed");
    state.counters["exchanges"] = static_cast<double>(raw.Exchanges());
}
BENCHMARK(BM_RawExchanges)->Unit(benchmark::kMillisecond);

template <class Step> double MillisecondsOf(Step&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The ratio search by search. Each search is paired with one run of the bare
// socket's exchanges, and each of the two is timed straight after the same
// preparation: nobody known, both windows opened. The two go in turns, one
// pair search first, the next the bare socket first. Both sides of a pair then
// start from the same state of the machine. On a shared 2-core machine that
// state matters: the same 101 exchanges take longer after a file write or a
// short pause than in a tight loop. The benchmark's own time is the search's.
void BM_SearchPairedWithRaw(benchmark::State& state) {
    CSearchWorld& world = World();
    CRawSearch raw(world);
    std::vector<double> ratios, searches, raws;
    bool rawFirst = false;
    int shown = 0;
    for (auto _ : state) {
        bool ok = true;
        double searchMs = 0, rawMs = 0;
        for (const bool rawTurn : {rawFirst, !rawFirst}) {
            world.Forget();
            SSearchWindows w = OpenSearchWindows(world);
            if (rawTurn)
                rawMs = MillisecondsOf([&] { ok = raw.Run() && ok; });
            else {
                searchMs = MillisecondsOf([&] { ok = SearchAndShow(world, w) && ok; });
                shown = w.results->List()->topLevelItemCount();
            }
            // The found users finish going to disk before the next turn.
            w.results.reset();
            w.criteria.reset();
        }
        if (!ok) {
            state.SkipWithError("a search or an exchange failed");
            break;
        }
        state.SetIterationTime(searchMs / 1000);
        searches.push_back(searchMs);
        raws.push_back(rawMs);
        ratios.push_back(searchMs / rawMs);
        rawFirst = !rawFirst;
    }
    state.counters["ratio"] = bench::Median(ratios);
    state.counters["search_ms"] = bench::Median(searches);
    state.counters["raw_ms"] = bench::Median(raws);
    state.counters["shown"] = shown;
}
BENCHMARK(BM_SearchPairedWithRaw)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
