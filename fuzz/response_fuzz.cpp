// The client's reading of a server's response, through the real request
// engine and a real loopback connection: the peer greets, then sends the
// input's bytes (after its first byte) as its answer to a request and closes
// its side. The first byte's low bit runs the command as from the UI thread
// (on a worker, waited for by the blocking loop) instead of inline.
//
// Whatever the server sends, the engine must come back (no hang: a response
// without a line end ends with the connection), keep the record empty unless
// the answer is a success, and hand over only fields the reader promises.
// A second command then reads whatever followed the first line.

#include "fuzz_support.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using murmex::CParamRecord;
using murmex::CRequestEngine;

// The engine reads at most this much of a line before giving up on it; small
// here so that the fuzzer reaches that limit.
constexpr std::size_t kResponseCap = 4096;
// More than that, so that over-long answers are tried, but within what the
// loopback connection buffers without anybody reading.
constexpr std::size_t kMaxInput = 3 * kResponseCap;

int g_listenFd = -1;
std::uint16_t g_port = 0;

void Listen() {
    g_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (g_listenFd < 0 || ::bind(g_listenFd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(g_listenFd, 8) != 0 ||
        ::getsockname(g_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::perror("response fuzz: loopback listener");
        std::abort();
    }
    g_port = ntohs(address.sin_port);
}

void SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) // libFuzzer's timer signal
            continue;
        if (n <= 0)
            return; // the engine has given up on the connection: the rest is not read anyway
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

murmex::SEngineSettings Settings() {
    murmex::SEngineSettings settings;
    settings.port = g_port;
    // Every answer ends with the peer closing its side, so no wait runs out in
    // a passing run; these bound a hang, should the engine ever wait for more.
    settings.connectWait = 5000ms;
    settings.writeWait = 5000ms;
    settings.readWait = 5000ms;
    settings.lockWait = 5000ms;
    settings.responseCap = kResponseCap;
    return settings;
}

void CheckRecord(bool ok, const CParamRecord& record) {
    if (!ok)
        FUZZ_CHECK(record.Empty());
    for (const auto& [name, value] : record.Entries()) {
        FUZZ_CHECK(name.size() <= CParamRecord::kMaxField);
        FUZZ_CHECK(value.size() <= CParamRecord::kMaxField);
        (void)record.GetInt(name);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CParamRecord::SetMissingEntryHandler([](const std::string&) {});
    Listen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool uiMode = size > 0 && (data[0] & 1) != 0;
    std::string answer;
    if (size > 1)
        answer.assign(reinterpret_cast<const char*>(data) + 1, std::min(size - 1, kMaxInput));

    CRequestEngine engine(Settings());
    engine.SetAddressSource([] { return std::string("127.0.0.1"); });

    bool connected = false;
    std::thread client([&] { connected = engine.Connect(); });
    int peer = -1;
    do
        peer = ::accept4(g_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    while (peer < 0 && errno == EINTR);
    FUZZ_CHECK(peer >= 0);
    SendAll(peer, "2000 \r\n", 7);
    client.join();
    FUZZ_CHECK(connected);

    // The answer is in the engine's socket before the request leaves, then the
    // peer closes its side: every byte the engine can ever read is there.
    SendAll(peer, answer.data(), answer.size());
    ::shutdown(peer, SHUT_WR);

    if (uiMode)
        engine.SetUiThread(std::this_thread::get_id());
    CParamRecord record;
    record.AddInt("userid", 1);
    record.AddText("nick", "ala\r\n~\"");
    bool ok = engine.ExecuteCommand(murmex::CMD_GET_USER, &record);
    CheckRecord(ok, record);

    CParamRecord second;
    ok = engine.ExecuteCommandInline(murmex::CMD_FETCH_MESSAGE, &second);
    CheckRecord(ok, second);
    ::close(peer);
    return 0;
}
