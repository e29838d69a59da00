#pragma once

#include "platform/tcp_socket.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/wait_loop.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace murmex {

struct SEngineSettings {
    std::uint16_t port = kServicePort;
    std::chrono::milliseconds connectWait{40000};
    std::chrono::milliseconds writeWait{40000};
    std::chrono::milliseconds readWait{30000};
    std::chrono::milliseconds lockWait{40000};
    // A response that grows past this without CR LF is treated as a broken connection.
    std::size_t responseCap = 1 << 20;
    // Asked at every connect, so a changed "Server" option counts from the next
    // connection on. Empty: the built-in address.
    std::function<std::string()> serverAddress;
};

// The one connection to the service server and the exchanges over it: one
// request line, one response line, one command at a time for the whole
// process (the request lock). Every transport failure closes the connection
// and clears the connected and logged-in flags; nothing reconnects here.
class CRequestEngine {
public:
    explicit CRequestEngine(SEngineSettings settings = {});
    ~CRequestEngine();
    CRequestEngine(const CRequestEngine&) = delete;
    CRequestEngine& operator=(const CRequestEngine&) = delete;

    // True at once when connected; otherwise connects to the settings' server
    // address (or the built-in one) and sends the greeting.
    bool Connect();
    // From the UI thread the exchange runs on a worker while the host window's
    // loop turns; from any other thread it runs inline. True on a 2xxx response;
    // the record then holds the response's entries, otherwise it is empty.
    bool ExecuteCommand(int code, CParamRecord* record);
    bool ExecuteCommandInline(int code, CParamRecord* record);

    static bool IsSuccess(int code) { return code / 1000 == 2; }

    bool IsConnected() const { return m_connected; }
    bool IsLoggedIn() const { return m_loggedIn; }
    void SetLoggedIn(bool loggedIn) { m_loggedIn = loggedIn; }
    int CurrentQid() const { return m_loggedIn ? m_currentQid.load() : 0; }
    void SetCurrentQid(int qid) { m_currentQid = qid; }

    // The window whose loop turns while a UI-mode command runs (none: block).
    void SetHostWindow(IWaitLoop* host) { m_host = host; }
    // Commands from this thread run in UI mode; by default no thread does.
    void SetUiThread(std::thread::id id) { m_uiThread = id; }
    bool OnUiThread() const { return std::this_thread::get_id() == m_uiThread.load(); }

    // Where the server address comes from; the default reads the "Server" option.
    void SetAddressSource(std::function<std::string()> source) {
        m_addressSource = std::move(source);
    }
    static std::string DefaultServerAddress();

    // Breaks the connection from any thread so that a blocked exchange ends now
    // (used at shutdown). The flags are cleared by the failing exchange.
    void Abort();

private:
    struct SJob {
        IWaitLoop* waiter = nullptr;
        CParamRecord* record = nullptr;
        int code = 0;
        std::atomic<int> result{-2};
    };

    void Exchange(SJob& job);
    void ConnectProcedure(SJob& job);
    void Fail(SJob& job);
    void Finish(SJob& job, int result);
    void RunOnWorker(SJob& job, void (CRequestEngine::*procedure)(SJob&));

    SEngineSettings m_settings;
    // One permit, taken and given back by the same calling thread. A timed
    // mutex rather than std::binary_semaphore: g++ 12's semaphore makes a futex
    // call on every release, a fifth of the cost of a loopback exchange.
    std::timed_mutex m_requestLock;
    CTcpSocket m_socket;
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_loggedIn{false};
    std::atomic<int> m_currentQid{0};
    std::atomic<IWaitLoop*> m_host{nullptr};
    std::atomic<std::thread::id> m_uiThread{};
    std::function<std::string()> m_addressSource;
    CBlockingWaitLoop m_blockingLoop;
};

} // namespace murmex
