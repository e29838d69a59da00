// The SQLite side of the storage interface.
#include "server/database.h"
#include "server/text_fold.h"

#include <cstdio>
#include <memory>
#include <sqlite3.h>
#include <unordered_map>

namespace murmex {
namespace {

class CSqliteStatement final : public IPreparedStatement {
public:
    CSqliteStatement(sqlite3_stmt* statement, sqlite3* db, bool& constraint)
        : m_statement(statement), m_db(db), m_constraint(constraint) {}
    ~CSqliteStatement() override { sqlite3_finalize(m_statement); }

    void BindInt(int index, std::int64_t value) override {
        sqlite3_bind_int64(m_statement, index, value);
    }
    void BindText(int index, std::string_view value) override {
        sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
    }
    EStatementStep Step() override {
        const int rc = sqlite3_step(m_statement);
        m_constraint = false;
        if (rc == SQLITE_ROW)
            return EStatementStep::Row;
        if (rc == SQLITE_DONE)
            return EStatementStep::Done;
        m_constraint = (rc & 0xff) == SQLITE_CONSTRAINT;
        if (!m_constraint)
            std::fprintf(stderr, "murmexd: database: %s\n", sqlite3_errmsg(m_db));
        return EStatementStep::Error;
    }
    std::int64_t Int(int column) const override {
        return sqlite3_column_int64(m_statement, column);
    }
    std::string Text(int column) const override {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        const int size = sqlite3_column_bytes(m_statement, column);
        return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
    }
    void Reset() override {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }

private:
    sqlite3_stmt* m_statement;
    sqlite3* m_db;
    bool& m_constraint;
};

// One SQLite connection. WAL mode lets readers and one writer work side by
// side, and the busy timeout makes a writer wait for another (the admin
// tool, another worker) instead of failing at once.
class CSqliteConnection final : public IDatabaseConnection {
public:
    ~CSqliteConnection() override {
        m_statements.clear();
        if (m_db)
            sqlite3_close(m_db);
    }

    EDatabaseKind Kind() const override { return EDatabaseKind::Sqlite; }

    bool Open(const std::string& path, std::string& error) override {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
        if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
            error = std::string("open: ") + (m_db ? sqlite3_errmsg(m_db) : "out of memory");
            return false;
        }
        sqlite3_busy_timeout(m_db, CDatabase::kBusyTimeoutMs);
        if (!RegisterFoldFunction(m_db)) {
            error = std::string("fold function: ") + sqlite3_errmsg(m_db);
            return false;
        }
        // WAL is a property of the file; asking again on an existing file is harmless.
        // synchronous=NORMAL is durable across process crashes in WAL mode.
        return Exec("PRAGMA journal_mode=WAL", error) && Exec("PRAGMA synchronous=NORMAL", error) &&
               Exec("PRAGMA foreign_keys=ON", error);
    }

    bool Exec(const char* sql, std::string& error) override {
        if (!m_db)
            return false;
        m_constraint = false;
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
            return true;
        error = message ? message : "unknown error";
        sqlite3_free(message);
        std::fprintf(stderr, "murmexd: database: %s\n", error.c_str());
        return false;
    }

    IPreparedStatement* Prepare(const std::string& sql, std::string& error) override {
        auto found = m_statements.find(sql);
        if (found != m_statements.end())
            return found->second.get();
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
            error = std::string("prepare: ") + sqlite3_errmsg(m_db);
            std::fprintf(stderr, "murmexd: database: %s\n", error.c_str());
            return nullptr;
        }
        auto owned = std::make_unique<CSqliteStatement>(statement, m_db, m_constraint);
        IPreparedStatement* raw = owned.get();
        m_statements.emplace(sql, std::move(owned));
        return raw;
    }

    const char* BeginSql() const override { return "BEGIN IMMEDIATE"; }

    bool Commit(std::string& error) override { return Exec("COMMIT", error); }

    int Changes() const override { return m_db ? sqlite3_changes(m_db) : 0; }
    bool LastFailedOnConstraint() const override { return m_constraint; }

private:
    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, std::unique_ptr<CSqliteStatement>> m_statements;
    bool m_constraint = false;
};

} // namespace

std::unique_ptr<IDatabaseConnection> MakeSqliteConnection() {
    return std::make_unique<CSqliteConnection>();
}

} // namespace murmex
