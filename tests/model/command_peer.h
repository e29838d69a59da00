#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace murmex::test {

// A fake service that answers by command code, so that tests stay exact while
// several of the data manager's threads talk to it in any order. Each code has
// a queue of scripted reply lines and a default for when the queue is empty.
// Unless told otherwise every command succeeds with no entries, the friends
// list is empty and no message is waiting.
class CCommandPeer {
public:
    CCommandPeer();
    ~CCommandPeer();
    CCommandPeer(const CCommandPeer&) = delete;
    CCommandPeer& operator=(const CCommandPeer&) = delete;

    std::uint16_t Port() const { return m_port; }

    // Reply lines are given without CR LF.
    void Reply(int code, std::string line);
    void Default(int code, std::string line);

    // Every request line so far, without CR LF, the greeting included.
    std::vector<std::string> Requests();
    // The request lines of one code, in order.
    std::vector<std::string> RequestsFor(int code);
    int Count(int code) { return static_cast<int>(RequestsFor(code).size()); }

private:
    void Serve(std::stop_token stop);
    void ServeConnection(int fd, std::stop_token stop);
    std::string Answer(const std::string& line);

    int m_listenFd = -1;
    std::uint16_t m_port = 0;
    std::mutex m_mutex;
    std::map<int, std::deque<std::string>> m_script;
    std::map<int, std::string> m_defaults;
    std::vector<std::string> m_requests;
    std::jthread m_thread;
};

} // namespace murmex::test
