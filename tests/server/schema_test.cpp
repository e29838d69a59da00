// The schema is created and migrated on opening, on both databases.
#include "protocol/command_codes.h"
#include "server/database.h"
#include "server/schema.h"
#include "server/server_harness.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace murmex::test {
namespace {

std::int64_t One(CDatabase& db, const std::string& sql) {
    CStatement query = db.Query(sql);
    return query.Step() == CStatement::EStep::Row ? query.Int(0) : -1;
}

TEST(Schema, AFileOfTheFirstLayoutIsMigratedWithItsQueueIntact) {
    CTempDataDir dir;
    const std::string path = dir.File("murmexd.db");
    {
        // What the first murmexd left: no version table, no shared-state
        // tables, no claim columns; a member with a message waiting.
        CDatabase db;
        ASSERT_TRUE(db.Open(path));
        ASSERT_TRUE(db.Exec("DROP TABLE schema_version; DROP TABLE instances; DROP TABLE sessions;"
                            "ALTER TABLE messages DROP COLUMN claim_instance;"
                            "ALTER TABLE messages DROP COLUMN claim_connection;"
                            "PRAGMA user_version = 1;"
                            "INSERT INTO accounts (qid, nick, email, password_hash) "
                            "VALUES (7, 'a', 'a@x.pl', 'h');"
                            "INSERT INTO messages (recipient, sender, text, sent) "
                            "VALUES (7, 7, 'czeka', 1);"));
    }
    {
        CDatabase db;
        ASSERT_TRUE(db.Open(path)) << db.LastError();
        EXPECT_EQ(One(db, "SELECT max(version) FROM schema_version"), kSchemaVersion);
        EXPECT_EQ(One(db, "SELECT count(*) FROM messages WHERE claim_instance = 0"), 1);
    }
}

TEST(Schema, ADatabaseOfANewerServerIsRefusedOnBothDatabases) {
    CTempDataDir dir;
    const std::string target = TestDatabase(dir);
    {
        CDatabase db;
        ASSERT_TRUE(db.Open(target)) << db.LastError();
        ASSERT_TRUE(db.Exec("UPDATE schema_version SET version = 99"));
    }
    CDatabase db;
    EXPECT_FALSE(db.Open(target));
    EXPECT_NE(db.LastError().find("newer"), std::string::npos) << db.LastError();
}

TEST(Schema, SeveralOpeningAtOnceCreateItOnce) {
    CTempDataDir dir;
    const std::string target = TestDatabase(dir);
    std::vector<std::jthread> openers;
    std::atomic<int> opened{0};
    for (int i = 0; i < 4; ++i)
        openers.emplace_back([&] {
            CDatabase db;
            if (db.Open(target))
                ++opened;
        });
    openers.clear();
    EXPECT_EQ(opened, 4);
    CDatabase db;
    ASSERT_TRUE(db.Open(target));
    EXPECT_EQ(One(db, "SELECT count(*) FROM schema_version"), 1);
}

} // namespace
} // namespace murmex::test
