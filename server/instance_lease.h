#pragma once

#include "server/database.h"
#include "server/store_result.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace murmex {

// This server process as one instance among those sharing the database.
//
// What a server keeps about live connections must be seen by every instance,
// so none of it lives in process memory alone: a logged-in connection is a
// row of `sessions` (active_exe), a message on its way to a client is
// claimed in its `messages` row by instance and connection, and both count
// only while the instance's row in `instances` has an unexpired lease. A
// thread renews the lease every third of its length; when the process dies
// the lease runs out, and with it the presence of its members and its
// claims. Process memory keeps only a mirror of the own sessions (to write
// them again after the lease lapsed while the database was away) and the
// connection ends whose clean-up could not be written yet.
class CInstanceLease {
public:
    CInstanceLease(std::string database, std::chrono::milliseconds lease);
    ~CInstanceLease();
    CInstanceLease(const CInstanceLease&) = delete;
    CInstanceLease& operator=(const CInstanceLease&) = delete;

    // Registers the instance and starts renewing; false with the reason.
    bool Start(std::string& error);
    // Takes the instance out: its sessions, claims and row go at once.
    void Stop();

    std::int64_t Id() const { return m_id; }
    std::chrono::milliseconds Lease() const { return m_lease; }
    // Lease times are wall milliseconds, comparable between machines that
    // keep their clocks in step.
    static std::int64_t NowMs();

    // The connection's member (0: none), as now written in `sessions`.
    void NoteSession(std::uint64_t connection, int qid);
    // The connection ended but its session and claims could not be dropped;
    // the renewal thread tries again.
    void RetryEnd(std::uint64_t connection);

private:
    void Run(std::stop_token stop);
    bool Renew();
    void Register();
    void RetryEnds();
    void Housekeeping();

    std::string m_database;
    std::chrono::milliseconds m_lease;
    CDatabase m_db; // the renewal thread's
    std::int64_t m_id = 0;
    bool m_lapsed = false;

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::unordered_map<std::uint64_t, int> m_sessions;
    std::unordered_set<std::uint64_t> m_pendingEnds;
    std::jthread m_thread;
};

// The rows behind presence and delivery claims, on a worker's connection.
class CSessionTable {
public:
    CSessionTable(CDatabase& db, const CInstanceLease& lease) : m_db(db), m_lease(lease) {}

    // The connection is now the member's (0: nobody's).
    EStore SetMember(std::uint64_t connection, int qid);
    // Ok when the member has a logged-in connection on a live instance.
    EStore IsActive(int qid);
    // Drops the connection's session and gives back the messages it held.
    EStore EndConnection(std::uint64_t connection);

private:
    CDatabase& m_db;
    const CInstanceLease& m_lease;
};

} // namespace murmex
