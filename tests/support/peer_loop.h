#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace murmex::test {

// What a fake service sends back for one request line.
struct SPeerReply {
    std::vector<std::string> pieces; // sent one after another, with a short pause between
    bool closeAfter = false;         // close the connection after the pieces
    bool silent = false;             // send nothing and keep the connection open
};

// The listening side of every fake service: an ephemeral loopback port, one
// connection at a time, request lines cut at CR LF and handed to `answer`
// (with their CR LF) on the loop's own thread.
class CPeerLoop {
public:
    using Answer = std::function<SPeerReply(const std::string& line)>;

    // Listens at once; throws when no port can be had.
    explicit CPeerLoop(Answer answer);
    ~CPeerLoop();
    CPeerLoop(const CPeerLoop&) = delete;
    CPeerLoop& operator=(const CPeerLoop&) = delete;

    std::uint16_t Port() const { return m_port; }
    // Connections accepted so far.
    int Connections();
    // Ends the loop and closes the port; safe to call twice.
    void Stop();

private:
    void Serve(std::stop_token stop);
    void ServeConnection(int fd, std::stop_token stop);

    Answer m_answer;
    int m_listenFd = -1;
    std::uint16_t m_port = 0;
    std::mutex m_mutex;
    int m_connections = 0;
    std::jthread m_thread;
};

} // namespace murmex::test
