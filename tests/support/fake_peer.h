#pragma once

#include "support/peer_loop.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace murmex::test {

// A scripted service peer on an ephemeral loopback port. For every request line
// it receives it plays the next scripted reply; with the script empty it
// answers "2000 " CR LF. Replies can come in pieces, close the connection
// half-way, or never come.
class CFakePeer {
public:
    using SReply = SPeerReply;

    CFakePeer();
    ~CFakePeer();

    std::uint16_t Port() const { return m_loop.Port(); }

    void Script(SReply reply);
    void Reply(std::string line) { Script({{std::move(line)}, false, false}); }

    // Every request line received so far, with its CR LF, in wire bytes.
    std::vector<std::string> Requests();
    // Waits (bounded) until n request lines have arrived.
    bool WaitForRequests(std::size_t n, std::chrono::milliseconds limit = std::chrono::seconds(5));
    int Connections() { return m_loop.Connections(); }

    void Stop() { m_loop.Stop(); }

private:
    SReply Answer(const std::string& line);

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<SReply> m_script;
    std::vector<std::string> m_requests;
    // Last: the loop's thread stops before the script it reads goes.
    CPeerLoop m_loop;
};

// A fake service that answers by command code, so that tests stay exact while
// several of the data manager's threads talk to it in any order. Each code has
// a queue of scripted reply lines and a default for when the queue is empty.
// Unless told otherwise every command succeeds with no entries, the friends
// list is empty and no message is waiting.
class CCommandPeer {
public:
    CCommandPeer();
    CCommandPeer(const CCommandPeer&) = delete;
    CCommandPeer& operator=(const CCommandPeer&) = delete;

    std::uint16_t Port() const { return m_loop.Port(); }

    // Reply lines are given without CR LF.
    void Reply(int code, std::string line);
    void Default(int code, std::string line);

    // Every request line so far, without CR LF, the greeting included.
    std::vector<std::string> Requests();
    // The request lines of one code, in order.
    std::vector<std::string> RequestsFor(int code);
    int Count(int code) { return static_cast<int>(RequestsFor(code).size()); }

private:
    SPeerReply Answer(const std::string& line);

    std::mutex m_mutex;
    std::map<int, std::deque<std::string>> m_script;
    std::map<int, std::string> m_defaults;
    std::vector<std::string> m_requests;
    CPeerLoop m_loop;
};

} // namespace murmex::test
