#include "server/friend_table.h"

#include "server/database.h"

namespace murmex {

EStore CFriendTable::Add(int owner, int friendQid) {
    CStatement insert =
        m_db.Query("INSERT INTO friends (owner, friend) VALUES (?1, ?2) ON CONFLICT DO NOTHING");
    insert.BindInt(1, owner).BindInt(2, friendQid);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

EStore CFriendTable::Remove(int owner, int friendQid) {
    CTransaction transaction(m_db);
    if (!transaction.Begun())
        return EStore::Failed;
    CStatement remove = m_db.Query("DELETE FROM friends WHERE owner = ?1 AND friend = ?2");
    remove.BindInt(1, owner).BindInt(2, friendQid);
    if (!remove.Run())
        return EStore::Failed;
    if (m_db.Changes() == 0)
        return EStore::NotFound;
    // Notices about someone who is no longer a friend would only surprise.
    CStatement forget = m_db.Query("DELETE FROM notify WHERE owner = ?1 AND friend = ?2");
    forget.BindInt(1, owner).BindInt(2, friendQid);
    if (!forget.Run())
        return EStore::Failed;
    return transaction.Commit() ? EStore::Ok : EStore::Failed;
}

EStore CFriendTable::List(int owner, std::vector<int>& friends) {
    CStatement query = m_db.Query("SELECT friend FROM friends WHERE owner = ?1 ORDER BY id");
    query.BindInt(1, owner);
    return query.CollectInts(friends) ? EStore::Ok : EStore::Failed;
}

EStore CFriendTable::SetNotify(int owner, int friendQid, int method, bool on) {
    CStatement change =
        m_db.Query(on ? "INSERT INTO notify (owner, friend, method) VALUES (?1, ?2, ?3) "
                        "ON CONFLICT DO NOTHING"
                      : "DELETE FROM notify WHERE owner = ?1 AND friend = ?2 AND method = ?3");
    change.BindInt(1, owner).BindInt(2, friendQid).BindInt(3, method);
    return change.Run() ? EStore::Ok : EStore::Failed;
}

EStore CFriendTable::NotifyMethods(int owner, int friendQid, std::vector<int>& methods) {
    CStatement query =
        m_db.Query("SELECT method FROM notify WHERE owner = ?1 AND friend = ?2 ORDER BY method");
    query.BindInt(1, owner).BindInt(2, friendQid);
    return query.CollectInts(methods) ? EStore::Ok : EStore::Failed;
}

} // namespace murmex
