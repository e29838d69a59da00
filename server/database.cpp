#include "server/database.h"

#include "server/schema.h"
#include "server/text_fold.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {

CStatement::~CStatement() {
    Release();
}

CStatement::CStatement(CStatement&& other) noexcept
    : m_statement(other.m_statement), m_db(other.m_db) {
    other.m_statement = nullptr;
}

CStatement& CStatement::operator=(CStatement&& other) noexcept {
    if (this != &other) {
        Release();
        m_statement = other.m_statement;
        m_db = other.m_db;
        other.m_statement = nullptr;
    }
    return *this;
}

void CStatement::Release() {
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_statement = nullptr;
}

CStatement& CStatement::BindInt(int index, std::int64_t value) {
    if (m_statement)
        sqlite3_bind_int64(m_statement, index, value);
    return *this;
}

CStatement& CStatement::BindText(int index, std::string_view value) {
    if (m_statement)
        sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
    return *this;
}

CStatement::EStep CStatement::Step() {
    if (!m_statement)
        return EStep::Error;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return EStep::Row;
    if (rc == SQLITE_DONE)
        return EStep::Done;
    std::fprintf(stderr, "murmexd: database: %s\n", sqlite3_errmsg(m_db));
    return EStep::Error;
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
    return m_statement ? sqlite3_column_int64(m_statement, column) : 0;
}

std::string CStatement::Text(int column) const {
    if (!m_statement)
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

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

CDatabase::~CDatabase() {
    Close();
}

bool CDatabase::Open(const std::string& path) {
    Close();
    if (!MakePrivateFile(path, m_lastError))
        return false;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        NoteError("open");
        Close();
        return false;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    if (!RegisterFoldFunction(m_db)) {
        NoteError("fold function");
        Close();
        return false;
    }
    // WAL is a property of the file; asking again on an existing file is harmless.
    // synchronous=NORMAL is durable across process crashes in WAL mode.
    if (!Exec("PRAGMA journal_mode=WAL") || !Exec("PRAGMA synchronous=NORMAL") ||
        !Exec("PRAGMA foreign_keys=ON") || !EnsureSchema(*this)) {
        Close();
        return false;
    }
    return true;
}

void CDatabase::Close() {
    for (auto& [sql, statement] : m_cache)
        sqlite3_finalize(statement);
    m_cache.clear();
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

void CDatabase::NoteError(const char* where) {
    m_lastError = where;
    m_lastError += ": ";
    m_lastError += m_db ? sqlite3_errmsg(m_db) : "no database";
}

bool CDatabase::Exec(const char* sql) {
    if (!m_db)
        return false;
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_lastError = message ? message : "unknown error";
    sqlite3_free(message);
    std::fprintf(stderr, "murmexd: database: %s\n", m_lastError.c_str());
    return false;
}

CStatement CDatabase::Query(const std::string& sql) {
    if (!m_db)
        return {};
    auto found = m_cache.find(sql);
    if (found != m_cache.end())
        return CStatement(found->second, m_db);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
        NoteError("prepare");
        std::fprintf(stderr, "murmexd: database: %s\n", m_lastError.c_str());
        return {};
    }
    m_cache.emplace(sql, statement);
    return CStatement(statement, m_db);
}

std::int64_t CDatabase::LastInsertId() const {
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

int CDatabase::Changes() const {
    return m_db ? sqlite3_changes(m_db) : 0;
}

CTransaction::CTransaction(CDatabase& db) : m_db(db) {
    m_begun = m_db.Exec("BEGIN IMMEDIATE");
}

CTransaction::~CTransaction() {
    if (m_begun && !m_done)
        m_db.Exec("ROLLBACK");
}

bool CTransaction::Commit() {
    if (!m_begun || m_done)
        return false;
    m_done = true;
    if (m_db.Exec("COMMIT"))
        return true;
    m_db.Exec("ROLLBACK");
    return false;
}

} // namespace murmex
