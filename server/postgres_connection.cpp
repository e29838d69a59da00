// The PostgreSQL side of the storage interface, on libpq.
#include "server/database.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libpq-fe.h>
#include <map>
#include <memory>

namespace murmex {
namespace {

constexpr Oid kInt8Oid = 20;
constexpr Oid kTextOid = 25;

// ?N -> $N; our SQL texts hold no question marks elsewhere.
std::string DollarParameters(const std::string& sql, int& count) {
    std::string out;
    out.reserve(sql.size());
    count = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] != '?') {
            out += sql[i];
            continue;
        }
        out += '$';
        int number = 0;
        while (i + 1 < sql.size() && sql[i + 1] >= '0' && sql[i + 1] <= '9') {
            number = number * 10 + (sql[i + 1] - '0');
            out += sql[++i];
        }
        count = std::max(count, number);
    }
    return out;
}

class CPostgresConnection;

class CPostgresStatement final : public IPreparedStatement {
public:
    CPostgresStatement(CPostgresConnection& connection, std::string name, const std::string& sql)
        : m_connection(connection), m_name(std::move(name)) {
        m_sql = DollarParameters(sql, m_count);
        m_values.resize(static_cast<std::size_t>(m_count));
        m_set.assign(static_cast<std::size_t>(m_count), false);
        m_types.assign(static_cast<std::size_t>(m_count), 0);
    }
    ~CPostgresStatement() override { Reset(); }

    void BindInt(int index, std::int64_t value) override {
        if (index < 1 || index > m_count)
            return;
        const auto i = static_cast<std::size_t>(index - 1);
        m_values[i] = std::to_string(value);
        m_set[i] = true;
        if (!m_types[i])
            m_types[i] = kInt8Oid;
    }
    void BindText(int index, std::string_view value) override {
        if (index < 1 || index > m_count)
            return;
        const auto i = static_cast<std::size_t>(index - 1);
        m_values[i].assign(value.data(), value.size());
        m_set[i] = true;
        if (!m_types[i])
            m_types[i] = kTextOid;
    }
    EStatementStep Step() override;
    std::int64_t Int(int column) const override {
        if (!m_result || m_row < 0 || m_row >= PQntuples(m_result) || column >= PQnfields(m_result))
            return 0;
        const char* value = PQgetvalue(m_result, m_row, column);
        if (value[0] == 't' && value[1] == '\0')
            return 1; // a boolean
        return std::strtoll(value, nullptr, 10);
    }
    std::string Text(int column) const override {
        if (!m_result || m_row < 0 || m_row >= PQntuples(m_result) || column >= PQnfields(m_result))
            return {};
        return std::string(PQgetvalue(m_result, m_row, column),
                           static_cast<std::size_t>(PQgetlength(m_result, m_row, column)));
    }
    void Reset() override {
        if (m_result)
            PQclear(m_result);
        m_result = nullptr;
        m_row = -1;
        std::fill(m_set.begin(), m_set.end(), false);
    }

private:
    bool Execute();

    CPostgresConnection& m_connection;
    std::string m_name;
    std::string m_sql;
    int m_count = 0;
    std::vector<std::string> m_values;
    std::vector<bool> m_set;
    std::vector<Oid> m_types;
    std::uint64_t m_preparedIn = 0; // the connection generation it was prepared in
    PGresult* m_result = nullptr;
    int m_row = -1;
};

// One libpq connection. When the server goes away, every use fails at once
// (the command answers 5000) and the connection is made again on a later
// use, no sooner than a back-off that doubles up to five seconds; prepared
// statements are prepared again on the new session.
class CPostgresConnection final : public IDatabaseConnection {
public:
    ~CPostgresConnection() override {
        m_statements.clear();
        if (m_conn)
            PQfinish(m_conn);
    }

    EDatabaseKind Kind() const override { return EDatabaseKind::Postgres; }

    bool Open(const std::string& target, std::string& error) override {
        m_target = target;
        if (!Connect(error))
            return false;
        return true;
    }

    bool Exec(const char* sql, std::string& error) override {
        if (!Usable(error))
            return false;
        PGresult* result = PQexec(m_conn, sql);
        const bool ok = Check(result, error);
        PQclear(result);
        return ok;
    }

    IPreparedStatement* Prepare(const std::string& sql, std::string& error) override {
        auto found = m_statements.find(sql);
        if (found != m_statements.end())
            return found->second.get();
        if (!m_conn) {
            error = "no database";
            return nullptr;
        }
        auto statement = std::make_unique<CPostgresStatement>(
            *this, "s" + std::to_string(m_statements.size() + 1), sql);
        IPreparedStatement* raw = statement.get();
        m_statements.emplace(sql, std::move(statement));
        return raw;
    }

    const char* BeginSql() const override { return "BEGIN"; }

    bool Commit(std::string& error) override {
        if (!Usable(error))
            return false;
        PGresult* result = PQexec(m_conn, "COMMIT");
        bool ok = Check(result, error);
        // COMMIT of a transaction that failed earlier "succeeds" as a ROLLBACK.
        if (ok && std::strcmp(PQcmdStatus(result), "COMMIT") != 0) {
            error = "the transaction was rolled back";
            ok = false;
        }
        PQclear(result);
        return ok;
    }

    int Changes() const override { return m_changes; }
    bool LastFailedOnConstraint() const override { return m_constraint; }

    // Connected, or connected again once the back-off allows.
    bool Usable(std::string& error) {
        if (m_conn && PQstatus(m_conn) == CONNECTION_OK)
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now < m_nextAttempt) {
            error = "the database is unavailable";
            return false;
        }
        return Connect(error);
    }

    // Reads a result: true for success; keeps the error and its kind.
    bool Check(PGresult* result, std::string& error) {
        const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
        m_constraint = false;
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
            m_changes = std::atoi(PQcmdTuples(result));
            return true;
        }
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        m_constraint = state && std::strncmp(state, "23", 2) == 0;
        error = result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn);
        while (!error.empty() && (error.back() == '\n' || error.back() == ' '))
            error.pop_back();
        if (!m_constraint)
            std::fprintf(stderr, "murmexd: database: %s\n", error.c_str());
        if (PQstatus(m_conn) != CONNECTION_OK)
            Broken();
        return false;
    }

    PGconn* Raw() { return m_conn; }
    std::uint64_t Generation() const { return m_generation; }
    std::string& StatementError() { return m_statementError; }

private:
    bool Connect(std::string& error) {
        if (m_conn)
            PQfinish(m_conn);
        const char* keys[] = {"dbname",     "client_encoding", "connect_timeout",
                              "keepalives", "keepalives_idle", nullptr};
        const char* values[] = {m_target.c_str(), "UTF8", "5", "1", "10", nullptr};
        m_conn = PQconnectdbParams(keys, values, 1);
        if (!m_conn || PQstatus(m_conn) != CONNECTION_OK) {
            error = m_conn ? PQerrorMessage(m_conn) : "out of memory";
            while (!error.empty() && (error.back() == '\n' || error.back() == ' '))
                error.pop_back();
            Broken();
            return false;
        }
        // Quiet notices ("relation already exists, skipping") stay off the log.
        PQsetNoticeProcessor(
            m_conn, [](void*, const char*) {}, nullptr);
        ++m_generation;
        m_backoff = std::chrono::milliseconds(100);
        m_nextAttempt = {};
        return true;
    }

    void Broken() {
        const auto now = std::chrono::steady_clock::now();
        m_nextAttempt = now + m_backoff;
        m_backoff = std::min(m_backoff * 2, std::chrono::milliseconds(5000));
    }

    std::string m_target;
    PGconn* m_conn = nullptr;
    std::map<std::string, std::unique_ptr<CPostgresStatement>> m_statements;
    std::uint64_t m_generation = 0;
    int m_changes = 0;
    bool m_constraint = false;
    std::string m_statementError;
    std::chrono::milliseconds m_backoff{100};
    std::chrono::steady_clock::time_point m_nextAttempt{};
};

bool CPostgresStatement::Execute() {
    std::string& error = m_connection.StatementError();
    if (!m_connection.Usable(error))
        return false;
    PGconn* conn = m_connection.Raw();
    if (m_preparedIn != m_connection.Generation()) {
        PGresult* prepared =
            PQprepare(conn, m_name.c_str(), m_sql.c_str(), m_count, m_types.data());
        const bool ok = m_connection.Check(prepared, error);
        PQclear(prepared);
        if (!ok)
            return false;
        m_preparedIn = m_connection.Generation();
    }
    std::vector<const char*> values(static_cast<std::size_t>(m_count));
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = m_set[i] ? m_values[i].c_str() : nullptr;
    m_result = PQexecPrepared(conn, m_name.c_str(), m_count, values.data(), nullptr, nullptr, 0);
    if (!m_connection.Check(m_result, error)) {
        PQclear(m_result);
        m_result = nullptr;
        return false;
    }
    return true;
}

EStatementStep CPostgresStatement::Step() {
    if (!m_result) {
        if (m_row == -2)
            return EStatementStep::Error;
        if (!Execute()) {
            m_row = -2; // one failed run stays failed until the reset
            return EStatementStep::Error;
        }
        m_row = -1;
    }
    if (PQresultStatus(m_result) != PGRES_TUPLES_OK)
        return EStatementStep::Done;
    if (++m_row < PQntuples(m_result))
        return EStatementStep::Row;
    m_row = PQntuples(m_result);
    return EStatementStep::Done;
}

} // namespace

std::unique_ptr<IDatabaseConnection> MakePostgresConnection() {
    return std::make_unique<CPostgresConnection>();
}

} // namespace murmex
