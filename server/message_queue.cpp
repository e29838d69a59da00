#include "server/message_queue.h"

#include "server/database.h"

#include <vector>

namespace murmex {

EStore CMessageQueue::Push(int recipient, int sender, std::string_view text, std::int64_t sent) {
    CStatement insert =
        m_db.Query("INSERT INTO messages (recipient, sender, text, sent) VALUES (?1, ?2, ?3, ?4)");
    insert.BindInt(1, recipient).BindInt(2, sender).BindText(3, text).BindInt(4, sent);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

EStore CMessageQueue::ClaimOldest(int recipient, const SClaimant& claimant,
                                  SQueuedMessage& message) {
    // A message is free when nobody claims it or its claimant's instance no
    // longer holds a live lease (that server died while delivering it).
    static const std::string kFree =
        " WHERE recipient = ?1 AND (claim_instance = 0 OR claim_instance NOT IN "
        "(SELECT id FROM instances WHERE expires > ?2))";
    {
        // Most fetches find nothing: a plain read answers them without a lock.
        CStatement look = m_db.Query("SELECT 1 FROM messages" + kFree + " LIMIT 1");
        look.BindInt(1, recipient).BindInt(2, claimant.nowMs);
        const CStatement::EStep step = look.Step();
        if (step != CStatement::EStep::Row)
            return step == CStatement::EStep::Done ? EStore::NotFound : EStore::Failed;
    }
    CTransaction transaction(m_db);
    if (!transaction.Begun())
        return EStore::Failed;
    // SKIP LOCKED: a message another server is claiming right now is left to it.
    const std::string pick =
        "SELECT id, sender, text, sent FROM messages" + kFree + " ORDER BY id LIMIT 1";
    CStatement query = m_db.Query(pick, pick + " FOR UPDATE SKIP LOCKED");
    query.BindInt(1, recipient).BindInt(2, claimant.nowMs);
    const CStatement::EStep step = query.Step();
    if (step != CStatement::EStep::Row)
        return step == CStatement::EStep::Done ? EStore::NotFound : EStore::Failed;
    SQueuedMessage found;
    found.id = query.Int(0);
    found.sender = static_cast<int>(query.Int(1));
    found.text = query.Text(2);
    found.sent = query.Int(3);
    query = CStatement();
    CStatement claim =
        m_db.Query("UPDATE messages SET claim_instance = ?1, claim_connection = ?2 WHERE id = ?3");
    claim.BindInt(1, claimant.instance).BindInt(2, claimant.connection).BindInt(3, found.id);
    if (!claim.Run() || !transaction.Commit())
        return EStore::Failed;
    message = std::move(found);
    return EStore::Ok;
}

EStore CMessageQueue::Remove(std::int64_t id) {
    CStatement remove = m_db.Query("DELETE FROM messages WHERE id = ?1");
    remove.BindInt(1, id);
    return remove.Run() ? EStore::Ok : EStore::Failed;
}

EStore CMessageQueue::Count(int recipient, int& count) {
    CStatement query = m_db.Query("SELECT count(*) FROM messages WHERE recipient = ?1");
    query.BindInt(1, recipient);
    if (query.Step() != CStatement::EStep::Row)
        return EStore::Failed;
    count = static_cast<int>(query.Int(0));
    return EStore::Ok;
}

} // namespace murmex
