#include "protocol/request_engine.h"

#include "platform/code_page.h"

#include <charconv>
#include <cstring>

#ifndef MURMEX_DEFAULT_SERVER
#define MURMEX_DEFAULT_SERVER "127.0.0.1"
#endif

namespace murmex {
namespace {

// The code at the start of a response line. A line that does not start with
// digits gets 0, which is neither a success nor a positive greeting.
int ResponseCode(const std::string& response) {
    int code = 0;
    std::size_t i = 0;
    for (; i < response.size() && i < 9 && response[i] >= '0' && response[i] <= '9'; ++i)
        code = code * 10 + (response[i] - '0');
    return i == 0 ? 0 : code;
}

} // namespace

CRequestEngine::CRequestEngine(SEngineSettings settings) : m_settings(std::move(settings)) {
    m_addressSource =
        m_settings.serverAddress ? m_settings.serverAddress : [] { return DefaultServerAddress(); };
}

CRequestEngine::~CRequestEngine() {
    Abort();
}

std::string CRequestEngine::DefaultServerAddress() {
    return MURMEX_DEFAULT_SERVER;
}

void CRequestEngine::Abort() {
    m_socket.Shutdown();
}

void CRequestEngine::Finish(SJob& job, int result) {
    // The result is stored before the waiter is woken, so it never sees -2 afterwards.
    job.result = result;
    if (job.waiter)
        job.waiter->Wake();
}

void CRequestEngine::Fail(SJob& job) {
    m_socket.Close();
    m_connected = false;
    m_loggedIn = false;
    Finish(job, -1);
}

void CRequestEngine::Exchange(SJob& job) {
    char codeText[16];
    const auto written = std::to_chars(codeText, codeText + sizeof codeText, job.code);
    std::string line;
    line.reserve(128);
    line.append(codeText, written.ptr);
    if (job.record) {
        line += ' ';
        line += job.record->Serialize();
        job.record->Clear();
    }
    line += "\r\n";
    Win1250ToWire(line);

    // The socket carries the waits as its send and receive time-outs (set when it
    // connected), so each wait costs no extra system call: a send blocks while the
    // socket is not writable for at most the write wait, a receive for at most the
    // read wait. A closed socket fails here until the next connect.
    if (!m_socket.IsOpen() || !m_socket.SendAll(line))
        return Fail(job);

    std::string response;
    response.reserve(256);
    char buffer[2048];
    for (;;) {
        long n = m_socket.Receive(buffer, sizeof buffer);
        if (n <= 0)
            return Fail(job);
        const std::size_t searchFrom = response.empty() ? 0 : response.size() - 1;
        response.append(buffer, static_cast<std::size_t>(n));
        auto end = response.find("\r\n", searchFrom);
        if (end != std::string::npos) {
            // One request, one line: anything after the line's end is not ours to read.
            response.resize(end + 2);
            break;
        }
        if (response.size() > m_settings.responseCap)
            return Fail(job);
    }

    const int code = ResponseCode(response);
    if (IsSuccess(code) && job.record) {
        WireToWin1250(response);
        job.record->Clear();
        job.record->Parse(response, 4);
    }
    Finish(job, code);
}

void CRequestEngine::ConnectProcedure(SJob& job) {
    std::uint32_t address = 0;
    if (!CTcpSocket::ParseIpv4(m_addressSource(), address) || !m_socket.Create())
        return Finish(job, -1);

    auto started = m_socket.StartConnect(address, m_settings.port);
    if (started == CTcpSocket::EStart::Failed) {
        m_socket.Close();
        return Finish(job, -1);
    }
    if (started == CTcpSocket::EStart::InProgress &&
        m_socket.WaitConnected(m_settings.connectWait) == CTcpSocket::EWait::Failed) {
        m_socket.Close();
        return Finish(job, -1);
    }
    // A connect still pending after the wait goes on; the greeting's own wait decides.
    m_socket.SetBlocking(true);
    m_socket.SetTimeouts(m_settings.writeWait, m_settings.readWait);

    SJob hello;
    hello.code = CMD_HELLO;
    Exchange(hello);
    if (hello.result > 0) {
        m_connected = true;
        Finish(job, 1);
    } else {
        m_socket.Close();
        Finish(job, 0);
    }
}

void CRequestEngine::RunOnWorker(SJob& job, void (CRequestEngine::*procedure)(SJob&)) {
    IWaitLoop* host = m_host.load();
    job.waiter = host ? host : &m_blockingLoop;
    {
        std::jthread worker([this, &job, procedure] { (this->*procedure)(job); });
        job.waiter->RunUntilDone([&job] { return job.result.load() != -2; });
    }
}

bool CRequestEngine::Connect() {
    if (m_connected)
        return true;
    if (!m_requestLock.try_lock_for(m_settings.lockWait))
        return false;
    SJob job;
    if (OnUiThread())
        RunOnWorker(job, &CRequestEngine::ConnectProcedure);
    else
        ConnectProcedure(job);
    m_requestLock.unlock();
    return job.result == 1;
}

bool CRequestEngine::ExecuteCommand(int code, CParamRecord* record) {
    if (!OnUiThread())
        return ExecuteCommandInline(code, record);
    if (!m_requestLock.try_lock_for(m_settings.lockWait))
        return false;
    SJob job;
    job.code = code;
    job.record = record;
    RunOnWorker(job, &CRequestEngine::Exchange);
    m_requestLock.unlock();
    return job.result > 0 && IsSuccess(job.result);
}

bool CRequestEngine::ExecuteCommandInline(int code, CParamRecord* record) {
    if (!m_requestLock.try_lock_for(m_settings.lockWait))
        return false;
    SJob job;
    job.code = code;
    job.record = record;
    Exchange(job);
    m_requestLock.unlock();
    return job.result > 0 && IsSuccess(job.result);
}

} // namespace murmex
