#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace murmex {

// One client TCP connection on POSIX sockets. Blocking reads and writes with
// explicit readiness waits, so every wait has its own time limit.
class CTcpSocket {
public:
    enum class EWait { Ready, Timeout, Failed };
    enum class EStart { Connected, InProgress, Failed };

    CTcpSocket() = default;
    ~CTcpSocket();
    CTcpSocket(const CTcpSocket&) = delete;
    CTcpSocket& operator=(const CTcpSocket&) = delete;

    // Ignores SIGPIPE for the process and checks that a socket can be made.
    static bool StartSocketsLayer();

    // Parses dotted-decimal IPv4 text without any name lookup ("a.b.c.d", each 0-255).
    static bool ParseIpv4(std::string_view text, std::uint32_t& addressNetworkOrder);

    bool Create();
    // Starts a non-blocking connect; the socket stays non-blocking until SetBlocking.
    EStart StartConnect(std::uint32_t addressNetworkOrder, std::uint16_t port);
    // Waits for the pending connect: Ready when done, Failed when it was refused.
    EWait WaitConnected(std::chrono::milliseconds limit);
    bool SetBlocking(bool blocking);
    // Limits for each blocking send and receive call; past them the call fails.
    bool SetTimeouts(std::chrono::milliseconds send, std::chrono::milliseconds receive);

    // Sends every byte (looping over partial sends); false on any error or time-out.
    bool SendAll(std::string_view bytes);
    // Returns the byte count, 0 when the peer closed, -1 on error or time-out.
    long Receive(char* buffer, std::size_t size);

    bool IsOpen() const;
    void Close();
    // Unblocks a thread that waits on this socket, from any thread.
    void Shutdown();

private:
    EWait Wait(short events, std::chrono::milliseconds limit);

    mutable std::mutex m_fdMutex; // guards m_fd against Shutdown racing Close
    int m_fd = -1;
};

} // namespace murmex
