#include "server/sms_outbox.h"

#include "server/database.h"

namespace murmex {

EStore CSmsOutbox::Push(const SSmsRecord& sms) {
    CStatement insert =
        m_db.Query("INSERT INTO sms_outbox (sender, recipient, phone, text, created) "
                   "VALUES (?1, ?2, ?3, ?4, ?5)");
    insert.BindInt(1, sms.sender).BindInt(2, sms.recipient).BindText(3, sms.phone);
    insert.BindText(4, sms.text).BindInt(5, sms.created);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

EStore CSmsOutbox::All(std::vector<SSmsRecord>& out) {
    CStatement query = m_db.Query(
        "SELECT id, sender, recipient, phone, text, created FROM sms_outbox ORDER BY id");
    for (;;) {
        switch (query.Step()) {
        case CStatement::EStep::Row: {
            SSmsRecord sms;
            sms.id = query.Int(0);
            sms.sender = static_cast<int>(query.Int(1));
            sms.recipient = static_cast<int>(query.Int(2));
            sms.phone = query.Text(3);
            sms.text = query.Text(4);
            sms.created = query.Int(5);
            out.push_back(std::move(sms));
            break;
        }
        case CStatement::EStep::Done:
            return EStore::Ok;
        case CStatement::EStep::Error:
            return EStore::Failed;
        }
    }
}

} // namespace murmex
