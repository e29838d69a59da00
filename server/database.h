#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace murmex {

// One prepared statement borrowed from a CDatabase's cache (one borrow of the
// same SQL text at a time). Parameters are
// numbered from 1 as in SQL; columns from 0. The statement is reset and its
// bindings cleared when the borrow ends, so it is ready for the next user.
class CStatement {
public:
    enum class EStep { Row, Done, Error };

    CStatement() = default;
    CStatement(sqlite3_stmt* statement, sqlite3* db) : m_statement(statement), m_db(db) {}
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

    sqlite3_stmt* m_statement = nullptr;
    sqlite3* m_db = nullptr;
};

// One SQLite connection. Each thread that touches the database owns its own;
// WAL mode lets readers and one writer work side by side, and the busy
// timeout makes a writer wait for another (the admin tool, another worker)
// instead of failing at once.
class CDatabase {
public:
    static constexpr int kBusyTimeoutMs = 10000;

    CDatabase() = default;
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Opens (creating when missing) the file and brings the schema up to date.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    const std::string& LastError() const { return m_lastError; }

    bool Exec(const char* sql);
    // A statement compiled once per connection and reused; invalid on a syntax error.
    CStatement Query(const std::string& sql);

    std::int64_t LastInsertId() const;
    int Changes() const;

    // Keeps "where: <SQLite's message>" as the last error, for the log.
    void NoteError(const char* where);
    void SetError(std::string text) { m_lastError = std::move(text); }

private:
    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> m_cache;
    std::string m_lastError;
};

// BEGIN IMMEDIATE ... COMMIT. Taking the write lock up front keeps two writers
// from each holding a read snapshot and then failing to upgrade it.
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

} // namespace murmex
