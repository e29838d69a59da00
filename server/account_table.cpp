#include "server/account_table.h"

#include "protocol/param_record.h"
#include "server/database.h"

#include <cstdio>

namespace murmex {
namespace {

constexpr const char* kColumns =
    "qid, nick, email, name, surname, url, street, city, born, sex, citysize, education, job, "
    "country, phone, cellphone, restrict_email, restrict_name, restrict_surname, languages, "
    "interests, active_www";

void ReadAccount(const CStatement& row, SAccount& a) {
    a.qid = static_cast<int>(row.Int(0));
    a.nick = row.Text(1);
    a.email = row.Text(2);
    a.name = row.Text(3);
    a.surname = row.Text(4);
    a.url = row.Text(5);
    a.street = row.Text(6);
    a.city = row.Text(7);
    a.born = row.Int(8);
    a.sex = static_cast<int>(row.Int(9));
    a.citysize = static_cast<int>(row.Int(10));
    a.education = static_cast<int>(row.Int(11));
    a.job = static_cast<int>(row.Int(12));
    a.country = static_cast<int>(row.Int(13));
    a.phone = row.Text(14);
    a.cellphone = row.Text(15);
    a.restrictEmail = row.Int(16) != 0;
    a.restrictName = row.Int(17) != 0;
    a.restrictSurname = row.Int(18) != 0;
    a.languages = IntListFromText(row.Text(19));
    a.interests = IntListFromText(row.Text(20));
    a.activeWww = static_cast<int>(row.Int(21));
}

// Binds the profile fields, in kColumns order from nick on, starting at index 1.
void BindProfile(CStatement& s, const SAccount& a) {
    s.BindText(1, a.nick).BindText(2, a.email).BindText(3, a.name).BindText(4, a.surname);
    s.BindText(5, a.url).BindText(6, a.street).BindText(7, a.city).BindInt(8, a.born);
    s.BindInt(9, a.sex).BindInt(10, a.citysize).BindInt(11, a.education).BindInt(12, a.job);
    s.BindInt(13, a.country).BindText(14, a.phone).BindText(15, a.cellphone);
    s.BindInt(16, a.restrictEmail).BindInt(17, a.restrictName).BindInt(18, a.restrictSurname);
    s.BindText(19, IntListText(a.languages)).BindText(20, IntListText(a.interests));
}

} // namespace

std::string IntListText(const std::vector<int>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, i ? ",%d" : "%d", values[i]);
        text += buf;
    }
    return text;
}

std::vector<int> IntListFromText(std::string_view text) {
    CParamRecord record;
    record.AddText("l", text);
    std::vector<int> values;
    record.GetIntList("l", values);
    return values;
}

EStore CAccountTable::Create(SAccount& account, const std::string& passwordHash, std::int64_t now) {
    CTransaction transaction(m_db);
    if (!transaction.Begun())
        return EStore::Failed;
    int existing = 0;
    EStore found = FindByNickEmail(account.nick, account.email, existing);
    if (found != EStore::NotFound)
        return found == EStore::Ok ? EStore::Exists : found;

    CStatement insert = m_db.Query(
        "INSERT INTO accounts (nick, email, name, surname, url, street, city, born, sex, "
        "citysize, education, job, country, phone, cellphone, restrict_email, restrict_name, "
        "restrict_surname, languages, interests, password_hash, created) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
        "?19, ?20, ?21, ?22) RETURNING qid");
    BindProfile(insert, account);
    insert.BindText(21, passwordHash).BindInt(22, now);
    if (insert.Step() != CStatement::EStep::Row)
        return m_db.LastFailedOnConstraint() ? EStore::Exists : EStore::Failed;
    const std::int64_t qid = insert.Int(0);
    if (!insert.Run())
        return EStore::Failed;
    if (qid <= 0 || qid >= kQidLimit)
        return EStore::Failed; // the transaction rolls back
    if (!transaction.Commit())
        return m_db.LastFailedOnConstraint() ? EStore::Exists : EStore::Failed;
    account.qid = static_cast<int>(qid);
    return EStore::Ok;
}

EStore CAccountTable::Update(const SAccount& account) {
    CTransaction transaction(m_db);
    if (!transaction.Begun())
        return EStore::Failed;
    int other = 0;
    EStore found = FindByNickEmail(account.nick, account.email, other);
    if (found == EStore::Failed)
        return found;
    if (found == EStore::Ok && other != account.qid)
        return EStore::Exists;

    CStatement update = m_db.Query(
        "UPDATE accounts SET nick = ?1, email = ?2, name = ?3, surname = ?4, url = ?5, "
        "street = ?6, city = ?7, born = ?8, sex = ?9, citysize = ?10, education = ?11, job = ?12, "
        "country = ?13, phone = ?14, cellphone = ?15, restrict_email = ?16, restrict_name = ?17, "
        "restrict_surname = ?18, languages = ?19, interests = ?20 WHERE qid = ?21");
    BindProfile(update, account);
    update.BindInt(21, account.qid);
    // On PostgreSQL another server may take the pair between the check and
    // here; the unique index refuses it then.
    if (!update.Run())
        return m_db.LastFailedOnConstraint() ? EStore::Exists : EStore::Failed;
    if (m_db.Changes() == 0)
        return EStore::NotFound;
    return transaction.Commit() ? EStore::Ok : EStore::Failed;
}

EStore CAccountTable::Load(int qid, SAccount& account) {
    CStatement query =
        m_db.Query(std::string("SELECT ") + kColumns + " FROM accounts WHERE qid = ?1");
    query.BindInt(1, qid);
    switch (query.Step()) {
    case CStatement::EStep::Row:
        ReadAccount(query, account);
        return EStore::Ok;
    case CStatement::EStep::Done:
        return EStore::NotFound;
    default:
        return EStore::Failed;
    }
}

EStore CAccountTable::Exists(int qid) {
    CStatement query = m_db.Query("SELECT 1 FROM accounts WHERE qid = ?1");
    query.BindInt(1, qid);
    switch (query.Step()) {
    case CStatement::EStep::Row:
        return EStore::Ok;
    case CStatement::EStep::Done:
        return EStore::NotFound;
    default:
        return EStore::Failed;
    }
}

EStore CAccountTable::FindByNickEmail(std::string_view nick, std::string_view email, int& qid) {
    CStatement query = m_db.Query(
        "SELECT qid FROM accounts WHERE nick = ?1 COLLATE NOCASE AND email = ?2 COLLATE NOCASE",
        "SELECT qid FROM accounts WHERE lower(nick COLLATE \"C\") = lower(?1 COLLATE \"C\") "
        "AND lower(email COLLATE \"C\") = lower(?2 COLLATE \"C\")");
    query.BindText(1, nick).BindText(2, email);
    switch (query.Step()) {
    case CStatement::EStep::Row:
        qid = static_cast<int>(query.Int(0));
        return EStore::Ok;
    case CStatement::EStep::Done:
        return EStore::NotFound;
    default:
        return EStore::Failed;
    }
}

EStore CAccountTable::PasswordHash(int qid, std::string& hash) {
    CStatement query = m_db.Query("SELECT password_hash FROM accounts WHERE qid = ?1");
    query.BindInt(1, qid);
    switch (query.Step()) {
    case CStatement::EStep::Row:
        hash = query.Text(0);
        return EStore::Ok;
    case CStatement::EStep::Done:
        return EStore::NotFound;
    default:
        return EStore::Failed;
    }
}

EStore CAccountTable::SetPasswordHash(int qid, const std::string& hash) {
    CStatement update = m_db.Query("UPDATE accounts SET password_hash = ?1 WHERE qid = ?2");
    update.BindText(1, hash).BindInt(2, qid);
    if (!update.Run())
        return EStore::Failed;
    return m_db.Changes() ? EStore::Ok : EStore::NotFound;
}

EStore CAccountTable::SetActiveWww(int qid, int channel) {
    CStatement update = m_db.Query("UPDATE accounts SET active_www = ?1 WHERE qid = ?2");
    update.BindInt(1, channel).BindInt(2, qid);
    if (!update.Run())
        return EStore::Failed;
    return m_db.Changes() ? EStore::Ok : EStore::NotFound;
}

} // namespace murmex
