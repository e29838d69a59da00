#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace murmex {

enum class EDatabaseKind { Sqlite, Postgres };

enum class EStatementStep { Row, Done, Error };

// The database side of one prepared statement: SQLite's compiled statement
// or a PostgreSQL server-side prepared statement. Owned by its connection.
class IPreparedStatement {
public:
    virtual ~IPreparedStatement() = default;
    virtual void BindInt(int index, std::int64_t value) = 0;
    virtual void BindText(int index, std::string_view value) = 0;
    virtual EStatementStep Step() = 0;
    virtual std::int64_t Int(int column) const = 0;
    virtual std::string Text(int column) const = 0;
    // Ends the run and clears the bindings, ready for the next user.
    virtual void Reset() = 0;
};

// One connection to the storage: the interface with one implementation per
// database (sqlite_connection.cpp, postgres_connection.cpp). SQL texts use
// ?1, ?2 … for parameters on both.
class IDatabaseConnection {
public:
    virtual ~IDatabaseConnection() = default;
    virtual EDatabaseKind Kind() const = 0;
    virtual bool Open(const std::string& target, std::string& error) = 0;
    virtual bool Exec(const char* sql, std::string& error) = 0;
    // Compiled once per connection and kept; null on an error.
    virtual IPreparedStatement* Prepare(const std::string& sql, std::string& error) = 0;
    virtual const char* BeginSql() const = 0;
    // True only when the transaction really committed.
    virtual bool Commit(std::string& error) = 0;
    // Rows changed by the last statement that completed.
    virtual int Changes() const = 0;
    // The last failure was a broken constraint (a unique name taken meanwhile).
    virtual bool LastFailedOnConstraint() const = 0;
};

// One prepared statement borrowed from a CDatabase's cache (one borrow of the
// same SQL text at a time). Parameters are numbered from 1 as in SQL; columns
// from 0. The statement is reset and its bindings cleared when the borrow
// ends, so it is ready for the next user.
class CStatement {
public:
    using EStep = EStatementStep;

    CStatement() = default;
    explicit CStatement(IPreparedStatement* statement) : m_statement(statement) {}
    ~CStatement();
    CStatement(CStatement&& other) noexcept;
    CStatement& operator=(CStatement&& other) noexcept;
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    bool Valid() const { return m_statement != nullptr; }

    CStatement& BindInt(int index, std::int64_t value);
    CStatement& BindText(int index, std::string_view value);

    EStep Step();
    // Steps to the end: true when the statement completed without error.
    bool Run();

    // Steps to the end, appending column 0 of every row; false on an error.
    bool CollectInts(std::vector<int>& out);

    std::int64_t Int(int column) const;
    std::string Text(int column) const;

private:
    void Release();

    IPreparedStatement* m_statement = nullptr;
};

// The storage of murmexd: a SQLite file (a plain path) or a PostgreSQL
// database (a postgresql:// or postgres:// connection URI). Each thread that
// touches the database owns its own CDatabase; opening brings the schema up
// to date.
class CDatabase {
public:
    static constexpr int kBusyTimeoutMs = 10000;

    // A PostgreSQL connection URI rather than a file path.
    static bool IsPostgresTarget(std::string_view target);

    CDatabase() = default;
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    bool Open(const std::string& target);
    void Close();
    bool IsOpen() const { return m_connection != nullptr; }
    EDatabaseKind Kind() const;
    bool IsPostgres() const { return Kind() == EDatabaseKind::Postgres; }
    const std::string& LastError() const { return m_lastError; }

    bool Exec(const char* sql);
    // A statement compiled once per connection and reused; invalid on an error.
    CStatement Query(const std::string& sql);
    // The same, where the two databases need different words.
    CStatement Query(const std::string& sqliteSql, const std::string& postgresSql);

    int Changes() const;
    bool LastFailedOnConstraint() const;

    void SetError(std::string text) { m_lastError = std::move(text); }

private:
    friend class CTransaction;
    bool Commit();
    const char* BeginSql() const;

    std::unique_ptr<IDatabaseConnection> m_connection;
    std::string m_lastError;
};

// A transaction. On SQLite it takes the write lock up front (BEGIN IMMEDIATE)
// so that two writers never each hold a read snapshot and then fail to
// upgrade it; on PostgreSQL rows are locked where a check must hold until
// the write (FOR UPDATE), and unique indexes catch the rest.
class CTransaction {
public:
    explicit CTransaction(CDatabase& db);
    ~CTransaction();
    CTransaction(const CTransaction&) = delete;
    CTransaction& operator=(const CTransaction&) = delete;

    bool Begun() const { return m_begun; }
    bool Commit();

private:
    CDatabase& m_db;
    bool m_begun = false;
    bool m_done = false;
};

std::unique_ptr<IDatabaseConnection> MakeSqliteConnection();
std::unique_ptr<IDatabaseConnection> MakePostgresConnection();

} // namespace murmex
