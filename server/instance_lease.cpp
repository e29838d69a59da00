#include "server/instance_lease.h"

#include "server/store_result.h"

#include <cstdio>
#include <vector>

namespace murmex {
namespace {

EStore Ran(CStatement& statement) {
    return statement.Run() ? EStore::Ok : EStore::Failed;
}

EStore EndConnectionRows(CDatabase& db, std::int64_t instance, std::uint64_t connection) {
    CTransaction transaction(db);
    if (!transaction.Begun())
        return EStore::Failed;
    CStatement drop = db.Query("DELETE FROM sessions WHERE instance = ?1 AND connection = ?2");
    drop.BindInt(1, instance).BindInt(2, static_cast<std::int64_t>(connection));
    if (Ran(drop) != EStore::Ok)
        return EStore::Failed;
    CStatement release = db.Query("UPDATE messages SET claim_instance = 0, claim_connection = 0 "
                                  "WHERE claim_instance = ?1 AND claim_connection = ?2");
    release.BindInt(1, instance).BindInt(2, static_cast<std::int64_t>(connection));
    if (Ran(release) != EStore::Ok)
        return EStore::Failed;
    return transaction.Commit() ? EStore::Ok : EStore::Failed;
}

} // namespace

CInstanceLease::CInstanceLease(std::string database, std::chrono::milliseconds lease)
    : m_database(std::move(database)), m_lease(lease) {}

CInstanceLease::~CInstanceLease() {
    Stop();
}

std::int64_t CInstanceLease::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool CInstanceLease::Start(std::string& error) {
    if (!m_db.Open(m_database)) {
        error = m_db.LastError();
        return false;
    }
    const std::int64_t now = NowMs();
    CStatement insert =
        m_db.Query("INSERT INTO instances (started, expires) VALUES (?1, ?2) RETURNING id");
    insert.BindInt(1, now).BindInt(2, now + m_lease.count());
    if (insert.Step() != CStatement::EStep::Row) {
        error = "the instance cannot be registered: " + m_db.LastError();
        return false;
    }
    m_id = insert.Int(0);
    insert.Run();
    insert = CStatement();
    Housekeeping();
    m_thread = std::jthread([this](std::stop_token stop) { Run(stop); });
    return true;
}

void CInstanceLease::Stop() {
    if (!m_thread.joinable())
        return;
    m_thread.request_stop();
    m_wake.notify_all();
    m_thread.join();
    {
        // Leaving in order: nobody need wait for the lease to run out.
        CTransaction transaction(m_db);
        CStatement sessions = m_db.Query("DELETE FROM sessions WHERE instance = ?1");
        sessions.BindInt(1, m_id);
        CStatement claims =
            m_db.Query("UPDATE messages SET claim_instance = 0, claim_connection = 0 "
                       "WHERE claim_instance = ?1");
        claims.BindInt(1, m_id);
        CStatement row = m_db.Query("DELETE FROM instances WHERE id = ?1");
        row.BindInt(1, m_id);
        if (!transaction.Begun() || !sessions.Run() || !claims.Run() || !row.Run() ||
            !transaction.Commit())
            std::fprintf(stderr,
                         "murmexd: the instance could not sign off; its lease will run out\n");
    }
    m_db.Close();
}

void CInstanceLease::NoteSession(std::uint64_t connection, int qid) {
    std::lock_guard lock(m_mutex);
    if (qid)
        m_sessions[connection] = qid;
    else
        m_sessions.erase(connection);
}

void CInstanceLease::RetryEnd(std::uint64_t connection) {
    std::lock_guard lock(m_mutex);
    m_sessions.erase(connection);
    m_pendingEnds.insert(connection);
}

void CInstanceLease::Run(std::stop_token stop) {
    const auto period = std::max(m_lease / 3, std::chrono::milliseconds(50));
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, stop, period, [] { return false; });
        }
        if (stop.stop_requested())
            return;
        if (!Renew()) {
            m_lapsed = true;
            continue;
        }
        RetryEnds();
        Housekeeping();
    }
}

bool CInstanceLease::Renew() {
    const std::int64_t now = NowMs();
    CStatement renew = m_db.Query("UPDATE instances SET expires = ?1 WHERE id = ?2");
    renew.BindInt(1, now + m_lease.count()).BindInt(2, m_id);
    if (!renew.Run())
        return false;
    renew = CStatement();
    if (m_db.Changes() == 0 || m_lapsed) {
        // The lease ran out while the database was away, and another instance
        // may have swept our rows: write them again.
        Register();
    }
    return !m_lapsed;
}

void CInstanceLease::Register() {
    std::vector<std::pair<std::uint64_t, int>> sessions;
    {
        std::lock_guard lock(m_mutex);
        sessions.assign(m_sessions.begin(), m_sessions.end());
    }
    const std::int64_t now = NowMs();
    CTransaction transaction(m_db);
    CStatement row = m_db.Query("INSERT INTO instances (id, started, expires) VALUES (?1, ?2, ?3) "
                                "ON CONFLICT (id) DO UPDATE SET expires = excluded.expires");
    row.BindInt(1, m_id).BindInt(2, now).BindInt(3, now + m_lease.count());
    bool ok = transaction.Begun() && row.Run();
    row = CStatement();
    for (const auto& [connection, qid] : sessions) {
        if (!ok)
            break;
        CStatement session =
            m_db.Query("INSERT INTO sessions (instance, connection, qid) VALUES (?1, ?2, ?3) "
                       "ON CONFLICT (instance, connection) DO UPDATE SET qid = excluded.qid");
        session.BindInt(1, m_id).BindInt(2, static_cast<std::int64_t>(connection)).BindInt(3, qid);
        ok = session.Run();
    }
    m_lapsed = !(ok && transaction.Commit());
}

void CInstanceLease::RetryEnds() {
    std::vector<std::uint64_t> pending;
    {
        std::lock_guard lock(m_mutex);
        pending.assign(m_pendingEnds.begin(), m_pendingEnds.end());
    }
    for (std::uint64_t connection : pending) {
        if (EndConnectionRows(m_db, m_id, connection) != EStore::Ok)
            return;
        std::lock_guard lock(m_mutex);
        m_pendingEnds.erase(connection);
    }
}

void CInstanceLease::Housekeeping() {
    // Rows of instances whose lease ran out a while ago; their claims need no
    // sweep, as a claim of an instance without a live lease counts for nothing.
    const std::int64_t before = NowMs() - 4 * m_lease.count();
    CStatement sessions = m_db.Query(
        "DELETE FROM sessions WHERE instance IN (SELECT id FROM instances WHERE expires < ?1)");
    sessions.BindInt(1, before);
    sessions.Run();
    sessions = CStatement();
    CStatement rows = m_db.Query("DELETE FROM instances WHERE expires < ?1");
    rows.BindInt(1, before);
    rows.Run();
}

EStore CSessionTable::SetMember(std::uint64_t connection, int qid) {
    const auto id = static_cast<std::int64_t>(connection);
    CStatement change =
        qid ? m_db.Query("INSERT INTO sessions (instance, connection, qid) VALUES (?1, ?2, ?3) "
                         "ON CONFLICT (instance, connection) DO UPDATE SET qid = excluded.qid")
            : m_db.Query("DELETE FROM sessions WHERE instance = ?1 AND connection = ?2");
    change.BindInt(1, m_lease.Id()).BindInt(2, id);
    if (qid)
        change.BindInt(3, qid);
    return Ran(change);
}

EStore CSessionTable::IsActive(int qid) {
    CStatement query = m_db.Query("SELECT 1 FROM sessions s JOIN instances i ON i.id = s.instance "
                                  "WHERE s.qid = ?1 AND i.expires > ?2 LIMIT 1");
    query.BindInt(1, qid).BindInt(2, CInstanceLease::NowMs());
    switch (query.Step()) {
    case CStatement::EStep::Row:
        return EStore::Ok;
    case CStatement::EStep::Done:
        return EStore::NotFound;
    default:
        return EStore::Failed;
    }
}

EStore CSessionTable::EndConnection(std::uint64_t connection) {
    return EndConnectionRows(m_db, m_lease.Id(), connection);
}

} // namespace murmex
