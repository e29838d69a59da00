// Exchanges through the request engine against raw blocking ping-pong of the
// same bytes over loopback, in one run, so their ratio says what the engine costs.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "protocol/request_engine.h"

namespace {

using namespace murmex;

const std::string kRequest = "1350 \r\n";
const std::string kResponse = "2000 sender=\"123456\" msg=\"Cze\xB6\xE6, jak leci?\" date=\"1700000000\" \r\n";

// Answers every request line with kResponse, one send per line.
class CEchoPeer {
public:
    CEchoPeer() {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listen, 4);
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::jthread([this] { Serve(); });
    }
    ~CEchoPeer() {
        ::shutdown(m_listen, SHUT_RDWR);
        ::close(m_listen);
    }
    std::uint16_t Port() const { return m_port; }

private:
    void Serve() {
        for (;;) {
            int fd = ::accept(m_listen, nullptr, nullptr);
            if (fd < 0)
                return;
            int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            std::string pending;
            char buf[2048];
            for (;;) {
                ssize_t n = ::recv(fd, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                pending.append(buf, static_cast<std::size_t>(n));
                std::size_t end;
                while ((end = pending.find("\r\n")) != std::string::npos) {
                    pending.erase(0, end + 2);
                    ::send(fd, kResponse.data(), kResponse.size(), MSG_NOSIGNAL);
                }
            }
            ::close(fd);
        }
    }
    int m_listen = -1;
    std::uint16_t m_port = 0;
    std::jthread m_thread;
};

void BM_EngineExchange(benchmark::State& state) {
    CEchoPeer peer;
    SEngineSettings settings;
    settings.port = peer.Port();
    CRequestEngine engine(settings);
    engine.SetAddressSource([] { return std::string("127.0.0.1"); });
    if (!engine.Connect()) {
        state.SkipWithError("cannot connect");
        return;
    }
    CParamRecord record;
    for (auto _ : state) {
        record.Clear();
        if (!engine.ExecuteCommandInline(CMD_FETCH_MESSAGE, &record))
            state.SkipWithError("exchange failed");
        benchmark::DoNotOptimize(record.Get("msg").size());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RawPingPong(benchmark::State& state) {
    CEchoPeer peer;
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(peer.Port());
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        state.SkipWithError("cannot connect");
        return;
    }
    std::string response;
    char buf[2048];
    for (auto _ : state) {
        ::send(fd, kRequest.data(), kRequest.size(), MSG_NOSIGNAL);
        response.clear();
        while (response.find("\r\n") == std::string::npos) {
            ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0) {
                state.SkipWithError("peer closed");
                break;
            }
            response.append(buf, static_cast<std::size_t>(n));
        }
        benchmark::DoNotOptimize(response.size());
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_EngineExchange)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RawPingPong)->UseRealTime()->MinTime(2.0);

} // namespace
