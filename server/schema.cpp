#include "server/schema.h"

#include "server/database.h"

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

PRAGMA user_version = 1;
)sql";

int SchemaVersion(CDatabase& db) {
    CStatement query = db.Query("PRAGMA user_version");
    if (query.Step() != CStatement::EStep::Row)
        return -1;
    return static_cast<int>(query.Int(0));
}

} // namespace

bool EnsureSchema(CDatabase& db) {
    // The server and the admin tool may open a new file at the same moment:
    // the write lock makes one of them create the tables and the other see them.
    CTransaction transaction(db);
    if (!transaction.Begun())
        return false;
    const int version = SchemaVersion(db);
    if (version < 0 || version > kSchemaVersion) {
        if (version < 0)
            db.NoteError("schema version");
        else
            db.SetError("the database was written by a newer murmexd");
        return false;
    }
    if (version == 0 && !db.Exec(kCreateV1))
        return false;
    return transaction.Commit();
}

} // namespace murmex
