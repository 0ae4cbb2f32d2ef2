// The player record a game server lists is the stored one: it survives reopening the store and
// restarting the server, and a store written before willingness was kept gets the default.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>

#include <filesystem>

#include "harness.h"
#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"
#include "server/store/migrations.h"
#include "server/store/sqlite_storage.h"

namespace veld::server::testing {
namespace {

class PlayerRecordStore : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("veld-record-" + std::to_string(::getpid()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
        TearDown();
    }
    void TearDown() override {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_.string() + suffix);
    }
    std::unique_ptr<SqliteStorage> open() {
        std::string error;
        auto storage = SqliteStorage::open(path_.string(), error);
        EXPECT_TRUE(storage) << error;
        return storage;
    }
    std::filesystem::path path_;
};

TEST_F(PlayerRecordStore, OnLineChangesAndWholeUpdatesSurviveReopening) {
    std::int64_t id = 0;
    {
        auto storage = open();
        Account a;
        a.name = "alice";
        a.passwordHash = "$argon2id$x";
        a.playWish = '%';
        const auto created = storage->createAccount(a);
        ASSERT_TRUE(created);
        id = created->id;
        EXPECT_EQ(created->rankCode, kUnratedRankCode);
        Account changed = *created;
        changed.wins = 12;
        changed.losses = 7;
        changed.promotionIndex = -3;
        changed.ranking = 40;
        changed.pxCode = 0x3084B;
        ASSERT_TRUE(storage->updateAccount(changed));
        ASSERT_TRUE(storage->setRankCode(id, 127));
        ASSERT_TRUE(storage->setPlayWish(id, 'X'));
        EXPECT_FALSE(storage->setRankCode(id + 1, 26)) << "no such account";
    }
    const auto found = open()->findAccount("alice");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, id);
    EXPECT_EQ(found->rankCode, 127);
    EXPECT_EQ(found->playWish, 'X');
    EXPECT_EQ(found->wins, 12);
    EXPECT_EQ(found->losses, 7);
    EXPECT_EQ(found->promotionIndex, -3);
    EXPECT_EQ(found->ranking, 40);
    EXPECT_EQ(found->pxCode, 0x3084Bu);
}

TEST_F(PlayerRecordStore, AnAccountStoredBeforeWillingnessWasKeptIsMigratedIntact) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.string().c_str(), &db), SQLITE_OK);
    const std::string first(sqliteMigrations()[0]);
    const std::string setup =
        "CREATE TABLE schema_version (version INTEGER NOT NULL);"
        "INSERT INTO schema_version VALUES (1);" +
        first +
        "INSERT INTO accounts (name, password_hash, rank_code, wins, home_topic_id, created_at) "
        "VALUES (CAST('old' AS BLOB), 'h', 28, 5, 2, 0);";
    EXPECT_EQ(sqlite3_exec(db, setup.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    auto storage = open();
    ASSERT_TRUE(storage);
    EXPECT_EQ(storage->schemaVersion(), static_cast<int>(sqliteMigrations().size()));
    const auto old = storage->findAccount("old");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->rankCode, 28);
    EXPECT_EQ(old->wins, 5);
    EXPECT_EQ(old->playWish, 'O');
}

TEST(PlayerRecordOnJoin, StoredRankAndWillingnessAreListedAfterARestartThenTheGameList) {
    TestServer server;
    { Player first = enter(server, "alice"); }
    auto account = *server.storage().findAccount("alice");
    ASSERT_TRUE(server.storage().setRankCode(account.id, 126));
    ASSERT_TRUE(server.storage().setPlayWish(account.id, '='));
    server.restart();

    Player again = enter(server, "alice");
    const std::string list = again.joinFrames.back();
    ASSERT_EQ(codeOf(list), "W3");
    const std::size_t record = 4;
    EXPECT_EQ(list.substr(record + 6, 10), padRight("alice", 10));
    EXPECT_EQ(list[record + 16], '\x7E');
    EXPECT_EQ(list[record + 18], '=');
    EXPECT_EQ(list[record + 19], 'N') << "a player who comes back is idle";
    EXPECT_EQ(again.game->next(), packFrame("G2"));
}

}  // namespace
}  // namespace veld::server::testing
