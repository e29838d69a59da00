#include "server/message_queue.h"

#include "server/database.h"
#include "server/delivery_claims.h"

#include <vector>

namespace murmex {

EStore CMessageQueue::Push(int recipient, int sender, std::string_view text, std::int64_t sent) {
    CStatement insert =
        m_db.Query("INSERT INTO messages (recipient, sender, text, sent) VALUES (?1, ?2, ?3, ?4)");
    insert.BindInt(1, recipient).BindInt(2, sender).BindText(3, text).BindInt(4, sent);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

EStore CMessageQueue::ClaimOldest(int recipient, CDeliveryClaims& claims, SQueuedMessage& message) {
    // Only as many messages can be claimed as the member has connections
    // fetching at once; a small window past them is always enough.
    std::vector<std::int64_t> candidates;
    {
        CStatement query =
            m_db.Query("SELECT id FROM messages WHERE recipient = ?1 ORDER BY id LIMIT 64");
        query.BindInt(1, recipient);
        for (CStatement::EStep step; (step = query.Step()) != CStatement::EStep::Done;) {
            if (step == CStatement::EStep::Error)
                return EStore::Failed;
            candidates.push_back(query.Int(0));
        }
    } // the snapshot of that read ends here
    for (std::int64_t id : candidates) {
        if (!claims.TryClaim(id))
            continue;
        // A claim is released only after its message has been removed, so a
        // fresh read tells whether the candidate from the older snapshot was
        // delivered meanwhile.
        CStatement load = m_db.Query("SELECT sender, text, sent FROM messages WHERE id = ?1");
        load.BindInt(1, id);
        const CStatement::EStep step = load.Step();
        if (step == CStatement::EStep::Row) {
            message.id = id;
            message.sender = static_cast<int>(load.Int(0));
            message.text = load.Text(1);
            message.sent = load.Int(2);
            return EStore::Ok;
        }
        claims.Release(id);
        if (step == CStatement::EStep::Error)
            return EStore::Failed;
    }
    return EStore::NotFound;
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
