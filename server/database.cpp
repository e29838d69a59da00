#include "server/database.h"

#include "server/schema.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {
namespace {

// The database holds queued private messages, e-mail addresses and password
// hashes: only its owner may read it, whatever the umask. SQLite gives its
// -wal and -shm files the mode of the database file, so creating that one
// owner-only is enough for new files; files that an older server left
// readable by others are narrowed.
bool MakePrivateFile(const std::string& path, std::string& error) {
    if (path.empty() || path == ":memory:" || path.rfind("file:", 0) == 0)
        return true;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "open " + path + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    for (const char* suffix : {"", "-wal", "-shm"}) {
        const std::string file = path + suffix;
        struct stat info {};
        if (::stat(file.c_str(), &info) == 0 && (info.st_mode & 077) != 0 &&
            info.st_uid == ::geteuid())
            ::chmod(file.c_str(), info.st_mode & 0700);
    }
    return true;
}

} // namespace

CStatement::~CStatement() {
    Release();
}

CStatement::CStatement(CStatement&& other) noexcept : m_statement(other.m_statement) {
    other.m_statement = nullptr;
}

CStatement& CStatement::operator=(CStatement&& other) noexcept {
    if (this != &other) {
        Release();
        m_statement = other.m_statement;
        other.m_statement = nullptr;
    }
    return *this;
}

void CStatement::Release() {
    if (!m_statement)
        return;
    m_statement->Reset();
    m_statement = nullptr;
}

CStatement& CStatement::BindInt(int index, std::int64_t value) {
    if (m_statement)
        m_statement->BindInt(index, value);
    return *this;
}

CStatement& CStatement::BindText(int index, std::string_view value) {
    if (m_statement)
        m_statement->BindText(index, value);
    return *this;
}

CStatement::EStep CStatement::Step() {
    return m_statement ? m_statement->Step() : EStep::Error;
}

bool CStatement::Run() {
    for (;;) {
        EStep step = Step();
        if (step == EStep::Done)
            return true;
        if (step == EStep::Error)
            return false;
    }
}

bool CStatement::CollectInts(std::vector<int>& out) {
    for (;;) {
        switch (Step()) {
        case EStep::Row:
            out.push_back(static_cast<int>(Int(0)));
            break;
        case EStep::Done:
            return true;
        case EStep::Error:
            return false;
        }
    }
}

std::int64_t CStatement::Int(int column) const {
    return m_statement ? m_statement->Int(column) : 0;
}

std::string CStatement::Text(int column) const {
    return m_statement ? m_statement->Text(column) : std::string();
}

bool CDatabase::IsPostgresTarget(std::string_view target) {
    return target.rfind("postgresql://", 0) == 0 || target.rfind("postgres://", 0) == 0;
}

CDatabase::~CDatabase() {
    Close();
}

bool CDatabase::Open(const std::string& target) {
    Close();
    const bool postgres = IsPostgresTarget(target);
    if (!postgres && !MakePrivateFile(target, m_lastError))
        return false;
    m_connection = postgres ? MakePostgresConnection() : MakeSqliteConnection();
    if (!m_connection->Open(target, m_lastError) || !EnsureSchema(*this)) {
        Close();
        return false;
    }
    return true;
}

void CDatabase::Close() {
    m_connection.reset();
}

EDatabaseKind CDatabase::Kind() const {
    return m_connection ? m_connection->Kind() : EDatabaseKind::Sqlite;
}

bool CDatabase::Exec(const char* sql) {
    return m_connection && m_connection->Exec(sql, m_lastError);
}

CStatement CDatabase::Query(const std::string& sql) {
    if (!m_connection)
        return {};
    return CStatement(m_connection->Prepare(sql, m_lastError));
}

CStatement CDatabase::Query(const std::string& sqliteSql, const std::string& postgresSql) {
    return Query(IsPostgres() ? postgresSql : sqliteSql);
}

int CDatabase::Changes() const {
    return m_connection ? m_connection->Changes() : 0;
}

bool CDatabase::LastFailedOnConstraint() const {
    return m_connection && m_connection->LastFailedOnConstraint();
}

bool CDatabase::Commit() {
    return m_connection && m_connection->Commit(m_lastError);
}

const char* CDatabase::BeginSql() const {
    return m_connection ? m_connection->BeginSql() : "BEGIN";
}

CTransaction::CTransaction(CDatabase& db) : m_db(db) {
    m_begun = m_db.Exec(m_db.BeginSql());
}

CTransaction::~CTransaction() {
    if (m_begun && !m_done)
        m_db.Exec("ROLLBACK");
}

bool CTransaction::Commit() {
    if (!m_begun || m_done)
        return false;
    m_done = true;
    if (m_db.Commit())
        return true;
    m_db.Exec("ROLLBACK");
    return false;
}

} // namespace murmex
