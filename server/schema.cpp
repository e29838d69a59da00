#include "server/schema.h"

#include "server/database.h"
#include "server/text_fold.h"

#include <string>

namespace murmex {
namespace {

// Text is UTF-8 throughout; the code page of the wire is converted at the edges.
// Times are seconds since 1970. Integer lists (languages, interests) are kept
// as the wire carries them, "1,5,7", which is all the searches need.
constexpr const char* kCreateV1 = R"sql(
CREATE TABLE accounts (
    qid              INTEGER PRIMARY KEY,
    nick             TEXT NOT NULL,
    email            TEXT NOT NULL,
    name             TEXT NOT NULL DEFAULT '',
    surname          TEXT NOT NULL DEFAULT '',
    url              TEXT NOT NULL DEFAULT '',
    street           TEXT NOT NULL DEFAULT '',
    city             TEXT NOT NULL DEFAULT '',
    born             INTEGER NOT NULL DEFAULT 0,
    sex              INTEGER NOT NULL DEFAULT 0,
    citysize         INTEGER NOT NULL DEFAULT 0,
    education        INTEGER NOT NULL DEFAULT 0,
    job              INTEGER NOT NULL DEFAULT 0,
    country          INTEGER NOT NULL DEFAULT 0,
    phone            TEXT NOT NULL DEFAULT '',
    cellphone        TEXT NOT NULL DEFAULT '',
    restrict_email   INTEGER NOT NULL DEFAULT 0,
    restrict_name    INTEGER NOT NULL DEFAULT 0,
    restrict_surname INTEGER NOT NULL DEFAULT 0,
    languages        TEXT NOT NULL DEFAULT '',
    interests        TEXT NOT NULL DEFAULT '',
    password_hash    TEXT NOT NULL,
    active_www       INTEGER NOT NULL DEFAULT 0,
    created          INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX accounts_nick_email ON accounts (nick COLLATE NOCASE, email COLLATE NOCASE);
CREATE INDEX accounts_active_www ON accounts (active_www) WHERE active_www <> 0;

CREATE TABLE friends (
    id     INTEGER PRIMARY KEY,
    owner  INTEGER NOT NULL REFERENCES accounts (qid),
    friend INTEGER NOT NULL REFERENCES accounts (qid),
    UNIQUE (owner, friend)
);

-- How the owner wants to hear that the friend entered the service: 2 e-mail, 3 SMS.
CREATE TABLE notify (
    owner  INTEGER NOT NULL REFERENCES accounts (qid),
    friend INTEGER NOT NULL REFERENCES accounts (qid),
    method INTEGER NOT NULL CHECK (method IN (2, 3)),
    PRIMARY KEY (owner, friend, method)
) WITHOUT ROWID;

-- Messages waiting to be fetched; a row goes once its recipient has received it.
CREATE TABLE messages (
    id        INTEGER PRIMARY KEY,
    recipient INTEGER NOT NULL REFERENCES accounts (qid),
    sender    INTEGER NOT NULL,
    text      TEXT NOT NULL,
    sent      INTEGER NOT NULL
);
CREATE INDEX messages_recipient ON messages (recipient, id);

-- There is no gateway: the outbox is where an SMS ends.
CREATE TABLE sms_outbox (
    id        INTEGER PRIMARY KEY,
    sender    INTEGER NOT NULL,
    recipient INTEGER NOT NULL DEFAULT 0,
    phone     TEXT NOT NULL,
    text      TEXT NOT NULL,
    created   INTEGER NOT NULL
);

CREATE TABLE channels (
    id          INTEGER PRIMARY KEY,
    name        TEXT NOT NULL UNIQUE,
    description TEXT NOT NULL DEFAULT '',
    url         TEXT NOT NULL DEFAULT '',
    category    INTEGER NOT NULL DEFAULT 0,
    creator     INTEGER NOT NULL DEFAULT 0,
    max_users   INTEGER NOT NULL DEFAULT 0,
    topic       TEXT NOT NULL DEFAULT '',
    topicsetby  INTEGER NOT NULL DEFAULT 0,
    password    TEXT NOT NULL DEFAULT '',
    created     INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE channel_operators (
    channel INTEGER NOT NULL REFERENCES channels (id),
    qid     INTEGER NOT NULL REFERENCES accounts (qid),
    PRIMARY KEY (channel, qid)
) WITHOUT ROWID;

CREATE TABLE feedback (
    id      INTEGER PRIMARY KEY,
    sender  INTEGER NOT NULL,
    text    TEXT NOT NULL,
    created INTEGER NOT NULL
);

CREATE TABLE recommendations (
    id      INTEGER PRIMARY KEY,
    sender  INTEGER NOT NULL,
    email   TEXT NOT NULL,
    created INTEGER NOT NULL
);

)sql";

// Version 2: what several server processes on one database share. Each
// running server is an instance with a lease it renews (times in ms since
// 1970); a logged-in connection is a session row of its instance, and a
// message being delivered is claimed by the instance and connection that
// hold it. When an instance dies its lease runs out, and with it its
// members' presence and its claims.
constexpr const char* kMigrateV2 = R"sql(
CREATE TABLE schema_version (version INTEGER NOT NULL);
CREATE TABLE instances (
    id      INTEGER PRIMARY KEY,
    started INTEGER NOT NULL,
    expires INTEGER NOT NULL
);
CREATE TABLE sessions (
    instance   INTEGER NOT NULL,
    connection INTEGER NOT NULL,
    qid        INTEGER NOT NULL,
    PRIMARY KEY (instance, connection)
);
CREATE INDEX sessions_qid ON sessions (qid);
ALTER TABLE messages ADD COLUMN claim_instance INTEGER NOT NULL DEFAULT 0;
ALTER TABLE messages ADD COLUMN claim_connection INTEGER NOT NULL DEFAULT 0;
INSERT INTO schema_version (version) VALUES (2);
PRAGMA user_version = 2;
)sql";

// The same layout on PostgreSQL, at the current version in one go.
constexpr const char* kPostgresCreate = R"sql(
CREATE TABLE accounts (
    qid              INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    nick             TEXT NOT NULL,
    email            TEXT NOT NULL,
    name             TEXT NOT NULL DEFAULT '',
    surname          TEXT NOT NULL DEFAULT '',
    url              TEXT NOT NULL DEFAULT '',
    street           TEXT NOT NULL DEFAULT '',
    city             TEXT NOT NULL DEFAULT '',
    born             BIGINT NOT NULL DEFAULT 0,
    sex              INTEGER NOT NULL DEFAULT 0,
    citysize         INTEGER NOT NULL DEFAULT 0,
    education        INTEGER NOT NULL DEFAULT 0,
    job              INTEGER NOT NULL DEFAULT 0,
    country          INTEGER NOT NULL DEFAULT 0,
    phone            TEXT NOT NULL DEFAULT '',
    cellphone        TEXT NOT NULL DEFAULT '',
    restrict_email   INTEGER NOT NULL DEFAULT 0,
    restrict_name    INTEGER NOT NULL DEFAULT 0,
    restrict_surname INTEGER NOT NULL DEFAULT 0,
    languages        TEXT NOT NULL DEFAULT '',
    interests        TEXT NOT NULL DEFAULT '',
    password_hash    TEXT NOT NULL,
    active_www       INTEGER NOT NULL DEFAULT 0,
    created          BIGINT NOT NULL DEFAULT 0
);
-- ASCII case is ignored in the pair, as SQLite's NOCASE does.
CREATE UNIQUE INDEX accounts_nick_email ON accounts (lower(nick COLLATE "C"), lower(email COLLATE "C"));
CREATE INDEX accounts_active_www ON accounts (active_www) WHERE active_www <> 0;
CREATE TABLE friends (
    id     BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    owner  INTEGER NOT NULL REFERENCES accounts (qid),
    friend INTEGER NOT NULL REFERENCES accounts (qid),
    UNIQUE (owner, friend)
);
CREATE TABLE notify (
    owner  INTEGER NOT NULL REFERENCES accounts (qid),
    friend INTEGER NOT NULL REFERENCES accounts (qid),
    method INTEGER NOT NULL CHECK (method IN (2, 3)),
    PRIMARY KEY (owner, friend, method)
);
CREATE TABLE messages (
    id               BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    recipient        INTEGER NOT NULL REFERENCES accounts (qid),
    sender           INTEGER NOT NULL,
    text             TEXT NOT NULL,
    sent             BIGINT NOT NULL,
    claim_instance   BIGINT NOT NULL DEFAULT 0,
    claim_connection BIGINT NOT NULL DEFAULT 0
);
CREATE INDEX messages_recipient ON messages (recipient, id);
CREATE TABLE sms_outbox (
    id        BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    sender    INTEGER NOT NULL,
    recipient INTEGER NOT NULL DEFAULT 0,
    phone     TEXT NOT NULL,
    text      TEXT NOT NULL,
    created   BIGINT NOT NULL
);
CREATE TABLE channels (
    id          INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    name        TEXT NOT NULL UNIQUE,
    description TEXT NOT NULL DEFAULT '',
    url         TEXT NOT NULL DEFAULT '',
    category    INTEGER NOT NULL DEFAULT 0,
    creator     INTEGER NOT NULL DEFAULT 0,
    max_users   INTEGER NOT NULL DEFAULT 0,
    topic       TEXT NOT NULL DEFAULT '',
    topicsetby  INTEGER NOT NULL DEFAULT 0,
    password    TEXT NOT NULL DEFAULT '',
    created     BIGINT NOT NULL DEFAULT 0
);
CREATE TABLE channel_operators (
    channel INTEGER NOT NULL REFERENCES channels (id),
    qid     INTEGER NOT NULL REFERENCES accounts (qid),
    PRIMARY KEY (channel, qid)
);
CREATE TABLE feedback (
    id      BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    sender  INTEGER NOT NULL,
    text    TEXT NOT NULL,
    created BIGINT NOT NULL
);
CREATE TABLE recommendations (
    id      BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    sender  INTEGER NOT NULL,
    email   TEXT NOT NULL,
    created BIGINT NOT NULL
);
CREATE TABLE schema_version (version INTEGER NOT NULL);
CREATE TABLE instances (
    id      BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    started BIGINT NOT NULL,
    expires BIGINT NOT NULL
);
CREATE TABLE sessions (
    instance   BIGINT NOT NULL,
    connection BIGINT NOT NULL,
    qid        INTEGER NOT NULL,
    PRIMARY KEY (instance, connection)
);
CREATE INDEX sessions_qid ON sessions (qid);
CREATE FUNCTION instr(haystack text, needle text) RETURNS integer
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS 'SELECT strpos(haystack, needle)';
INSERT INTO schema_version (version) VALUES (2);
)sql";

// murmex_fold on PostgreSQL: the letters FoldCase changes, as one translate().
std::string PostgresFoldFunction() {
    std::string from;
    std::string to;
    auto add = [&](std::uint32_t cp) {
        std::string letter;
        if (cp < 0x80) {
            letter += static_cast<char>(cp);
        } else {
            letter += static_cast<char>(0xC0 | (cp >> 6));
            letter += static_cast<char>(0x80 | (cp & 0x3F));
        }
        const std::string folded = FoldCase(letter);
        if (folded != letter) {
            from += letter;
            to += folded;
        }
    };
    for (std::uint32_t cp = 'A'; cp <= 'Z'; ++cp)
        add(cp);
    for (std::uint32_t cp = 0xC0; cp < 0x180; ++cp)
        add(cp);
    return "CREATE FUNCTION murmex_fold(t text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
           "PARALLEL SAFE AS $f$ SELECT translate(t, '" +
           from + "', '" + to + "') $f$";
}

bool TableExists(CDatabase& db, const char* table) {
    CStatement query =
        db.Query("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?1",
                 "SELECT count(*) FROM information_schema.tables WHERE table_name = ?1 "
                 "AND table_schema = current_schema()");
    query.BindText(1, table);
    return query.Step() == CStatement::EStep::Row && query.Int(0) > 0;
}

// -1 when it cannot be read.
int SchemaVersion(CDatabase& db) {
    if (TableExists(db, "schema_version")) {
        CStatement query = db.Query("SELECT max(version) FROM schema_version");
        return query.Step() == CStatement::EStep::Row ? static_cast<int>(query.Int(0)) : -1;
    }
    if (db.IsPostgres())
        return 0;
    CStatement query = db.Query("PRAGMA user_version"); // version 1 kept it only here
    return query.Step() == CStatement::EStep::Row ? static_cast<int>(query.Int(0)) : -1;
}

bool Migrate(CDatabase& db, int version) {
    if (db.IsPostgres())
        return version != 0 ||
               (db.Exec(kPostgresCreate) && db.Exec(PostgresFoldFunction().c_str()));
    if (version == 0 && (!db.Exec(kCreateV1) || !db.Exec("PRAGMA user_version = 1")))
        return false;
    return version >= 2 || db.Exec(kMigrateV2);
}

} // namespace

bool EnsureSchema(CDatabase& db) {
    // Several servers and the admin tool may open a new database at the same
    // moment: the write lock (SQLite) or an advisory lock (PostgreSQL) makes
    // one of them create the tables and the others see them.
    CTransaction transaction(db);
    if (!transaction.Begun())
        return false;
    if (db.IsPostgres() && !db.Exec("SELECT pg_advisory_xact_lock(4678)"))
        return false;
    const int version = SchemaVersion(db);
    if (version < 0 || version > kSchemaVersion) {
        if (version < 0)
            db.SetError("the schema version cannot be read: " + db.LastError());
        else
            db.SetError("the database was written by a newer murmexd");
        return false;
    }
    if (version < kSchemaVersion && !Migrate(db, version))
        return false;
    return transaction.Commit();
}

} // namespace murmex
