#include "server/channel_table.h"

#include "server/database.h"
#include "server/text_fold.h"

namespace murmex {
namespace {

EStore RowOrNotFound(CStatement::EStep step) {
    if (step == CStatement::EStep::Row)
        return EStore::Ok;
    return step == CStatement::EStep::Done ? EStore::NotFound : EStore::Failed;
}

} // namespace

EStore CChannelTable::Create(SChannel& channel, std::int64_t now) {
    CTransaction transaction(m_db);
    if (!transaction.Begun())
        return EStore::Failed;
    int existing = 0;
    EStore found = FindByName(channel.name, existing);
    if (found != EStore::NotFound)
        return found == EStore::Ok ? EStore::Exists : found;

    CStatement insert = m_db.Query(
        "INSERT INTO channels (name, description, url, category, creator, max_users, topic, "
        "topicsetby, password, created) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10) "
        "RETURNING id");
    insert.BindText(1, channel.name).BindText(2, channel.description).BindText(3, channel.url);
    insert.BindInt(4, channel.category).BindInt(5, channel.creator).BindInt(6, channel.maxUsers);
    insert.BindText(7, channel.topic).BindInt(8, channel.topicSetBy);
    insert.BindText(9, channel.password).BindInt(10, now);
    if (insert.Step() != CStatement::EStep::Row)
        return m_db.LastFailedOnConstraint() ? EStore::Exists : EStore::Failed;
    const int id = static_cast<int>(insert.Int(0));
    if (!insert.Run())
        return EStore::Failed;
    if (channel.creator != 0) {
        CStatement oper =
            m_db.Query("INSERT INTO channel_operators (channel, qid) VALUES (?1, ?2)");
        oper.BindInt(1, id).BindInt(2, channel.creator);
        if (!oper.Run())
            return EStore::Failed;
    }
    if (!transaction.Commit())
        return m_db.LastFailedOnConstraint() ? EStore::Exists : EStore::Failed;
    channel.id = id;
    return EStore::Ok;
}

EStore CChannelTable::Load(int id, SChannel& channel) {
    CStatement query =
        m_db.Query("SELECT id, name, description, url, category, creator, max_users, "
                   "topic, topicsetby, password FROM channels WHERE id = ?1");
    query.BindInt(1, id);
    EStore result = RowOrNotFound(query.Step());
    if (result != EStore::Ok)
        return result;
    channel.id = static_cast<int>(query.Int(0));
    channel.name = query.Text(1);
    channel.description = query.Text(2);
    channel.url = query.Text(3);
    channel.category = static_cast<int>(query.Int(4));
    channel.creator = static_cast<int>(query.Int(5));
    channel.maxUsers = static_cast<int>(query.Int(6));
    channel.topic = query.Text(7);
    channel.topicSetBy = static_cast<int>(query.Int(8));
    channel.password = query.Text(9);
    return EStore::Ok;
}

EStore CChannelTable::Exists(int id) {
    CStatement query = m_db.Query("SELECT 1 FROM channels WHERE id = ?1");
    query.BindInt(1, id);
    return RowOrNotFound(query.Step());
}

EStore CChannelTable::FindByName(std::string_view name, int& id) {
    CStatement query = m_db.Query("SELECT id FROM channels WHERE name = ?1");
    query.BindText(1, name);
    EStore result = RowOrNotFound(query.Step());
    if (result == EStore::Ok)
        id = static_cast<int>(query.Int(0));
    return result;
}

EStore CChannelTable::SaveSettings(const SChannel& channel) {
    CStatement update =
        m_db.Query("UPDATE channels SET topic = ?1, topicsetby = ?2, password = ?3, "
                   "max_users = ?4 WHERE id = ?5");
    update.BindText(1, channel.topic).BindInt(2, channel.topicSetBy).BindText(3, channel.password);
    update.BindInt(4, channel.maxUsers).BindInt(5, channel.id);
    if (!update.Run())
        return EStore::Failed;
    return m_db.Changes() ? EStore::Ok : EStore::NotFound;
}

EStore CChannelTable::IsOperator(int id, int qid) {
    CStatement query =
        m_db.Query("SELECT 1 FROM channel_operators WHERE channel = ?1 AND qid = ?2");
    query.BindInt(1, id).BindInt(2, qid);
    return RowOrNotFound(query.Step());
}

EStore CChannelTable::AddOperator(int id, int qid) {
    CStatement insert = m_db.Query(
        "INSERT INTO channel_operators (channel, qid) VALUES (?1, ?2) ON CONFLICT DO NOTHING");
    insert.BindInt(1, id).BindInt(2, qid);
    return insert.Run() ? EStore::Ok : EStore::Failed;
}

EStore CChannelTable::RemoveOperator(int id, int qid) {
    CTransaction transaction(m_db);
    if (!transaction.Begun())
        return EStore::Failed;
    // Two servers removing the last two operators at once must not both see
    // the other one still there: the channel's row is locked till the end.
    CStatement lock = m_db.Query("SELECT 1 FROM channels WHERE id = ?1",
                                 "SELECT 1 FROM channels WHERE id = ?1 FOR UPDATE");
    lock.BindInt(1, id);
    if (lock.Step() == CStatement::EStep::Error)
        return EStore::Failed;
    lock = CStatement();
    EStore isOperator = IsOperator(id, qid);
    if (isOperator != EStore::Ok)
        return isOperator;
    std::vector<int> operators;
    if (Operators(id, operators) != EStore::Ok)
        return EStore::Failed;
    if (operators.size() <= 1)
        return EStore::Exists; // nobody could run the channel any more
    CStatement remove = m_db.Query("DELETE FROM channel_operators WHERE channel = ?1 AND qid = ?2");
    remove.BindInt(1, id).BindInt(2, qid);
    if (!remove.Run())
        return EStore::Failed;
    return transaction.Commit() ? EStore::Ok : EStore::Failed;
}

EStore CChannelTable::Operators(int id, std::vector<int>& qids) {
    CStatement query =
        m_db.Query("SELECT qid FROM channel_operators WHERE channel = ?1 ORDER BY qid");
    query.BindInt(1, id);
    return query.CollectInts(qids) ? EStore::Ok : EStore::Failed;
}

EStore CChannelTable::CurrentUsers(int id, int& count) {
    CStatement query = m_db.Query("SELECT count(*) FROM accounts WHERE active_www = ?1");
    query.BindInt(1, id);
    if (query.Step() != CStatement::EStep::Row)
        return EStore::Failed;
    count = static_cast<int>(query.Int(0));
    return EStore::Ok;
}

EStore CChannelTable::Search(std::string_view text, int cap, std::vector<int>& found) {
    CStatement query =
        m_db.Query("SELECT id FROM channels WHERE ?1 = '' OR instr(murmex_fold(name), ?1) > 0 "
                   "OR instr(murmex_fold(description), ?1) > 0 ORDER BY id LIMIT ?2");
    query.BindText(1, FoldCase(text)).BindInt(2, cap);
    return query.CollectInts(found) ? EStore::Ok : EStore::Failed;
}

} // namespace murmex
