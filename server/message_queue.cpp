#include "server/message_queue.h"

#include "server/database.h"
#include "server/delivery_claims.h"

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
    CStatement query = m_db.Query("SELECT id, sender, text, sent FROM messages "
                                  "WHERE recipient = ?1 ORDER BY id LIMIT 64");
    query.BindInt(1, recipient);
    for (;;) {
        switch (query.Step()) {
        case CStatement::EStep::Row:
            if (!claims.TryClaim(query.Int(0)))
                continue;
            message.id = query.Int(0);
            message.sender = static_cast<int>(query.Int(1));
            message.text = query.Text(2);
            message.sent = query.Int(3);
            return EStore::Ok;
        case CStatement::EStep::Done:
            return EStore::NotFound;
        case CStatement::EStep::Error:
            return EStore::Failed;
        }
    }
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
