#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace murmex::test {

// A scripted service peer on an ephemeral loopback port. For every request line
// it receives it plays the next scripted reply; with the script empty it
// answers "2000 " CR LF. Replies can come in pieces, close the connection
// half-way, or never come.
class CFakePeer {
public:
    struct SReply {
        std::vector<std::string> pieces; // sent one after another, with a short pause between
        bool closeAfter = false;         // close the connection after the pieces
        bool silent = false;             // send nothing and keep the connection open
    };

    CFakePeer();
    ~CFakePeer();

    std::uint16_t Port() const { return m_port; }

    void Script(SReply reply);
    void Reply(std::string line) { Script({{std::move(line)}, false, false}); }

    // Every request line received so far, with its CR LF, in wire bytes.
    std::vector<std::string> Requests();
    // Waits (bounded) until n request lines have arrived.
    bool WaitForRequests(std::size_t n, std::chrono::milliseconds limit = std::chrono::seconds(5));
    int Connections();

    void Stop();

private:
    void Serve(std::stop_token stop);
    void ServeConnection(int fd, std::stop_token stop);

    int m_listenFd = -1;
    std::uint16_t m_port = 0;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<SReply> m_script;
    std::vector<std::string> m_requests;
    int m_connections = 0;
    std::jthread m_thread;
};

} // namespace murmex::test
