#include "server/feedback_table.h"

#include "server/database.h"

namespace murmex {

EStore CFeedbackTable::AddFeedback(int sender, std::string_view text, std::int64_t now) {
    CStatement insert =
        m_db.Query("INSERT INTO feedback (sender, text, created) VALUES (?1, ?2, ?3)");
    insert.BindInt(1, sender).BindText(2, text).BindInt(3, now);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

EStore CFeedbackTable::AddRecommendation(int sender, std::string_view email, std::int64_t now) {
    CStatement insert =
        m_db.Query("INSERT INTO recommendations (sender, email, created) VALUES (?1, ?2, ?3)");
    insert.BindInt(1, sender).BindText(2, email).BindInt(3, now);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

} // namespace murmex
