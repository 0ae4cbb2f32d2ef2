// The SQLite store: migrations at open and the account defaults.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "server/store/migrations.h"
#include "server/store/sqlite_storage.h"

namespace veld::server {
namespace {

class SqliteStorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ =
            std::filesystem::temp_directory_path() /
            ("veld-storage-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
        std::filesystem::remove(path_);
    }
    void TearDown() override {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_.string() + suffix);
    }
    std::filesystem::path path_;
};

TEST_F(SqliteStorageTest, MigratesOnceAndKeepsDataAcrossOpens) {
    std::string error;
    std::int64_t id = 0;
    {
        auto storage = SqliteStorage::open(path_.string(), error);
        ASSERT_TRUE(storage) << error;
        EXPECT_EQ(storage->schemaVersion(), static_cast<int>(sqliteMigrations().size()));
        Account a;
        a.name = std::string("\xA4\x70\xA9\xFA", 4);  // cp950 bytes, not UTF-8
        a.passwordHash = "$argon2id$x";
        const auto created = storage->createAccount(a);
        ASSERT_TRUE(created);
        id = created->id;
        EXPECT_FALSE(storage->createAccount(a)) << "names are unique";
        Account other;
        other.name = "other";
        const auto second = storage->createAccount(other);
        ASSERT_TRUE(second);
        EXPECT_NE(second->homeTopicId, created->homeTopicId);
        EXPECT_TRUE(storage->setNameList(id, NameList::Friends, std::string("\x00\x41", 2)));
    }
    auto storage = SqliteStorage::open(path_.string(), error);
    ASSERT_TRUE(storage) << error;
    const auto found = storage->findAccount(std::string("\xA4\x70\xA9\xFA", 4));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, id);
    EXPECT_EQ(found->rankCode, 50);
    EXPECT_EQ(found->privilege, 9);
    EXPECT_EQ(storage->nameList(id, NameList::Friends), std::string("\x00\x41", 2));
    EXPECT_EQ(storage->nameList(id, NameList::Blocked), "");
}

TEST_F(SqliteStorageTest, RefusesADatabaseOfANewerSchema) {
    std::string error;
    ASSERT_TRUE(SqliteStorage::open(path_.string(), error));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.string().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "UPDATE schema_version SET version = 99", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_FALSE(SqliteStorage::open(path_.string(), error));
    EXPECT_NE(error.find("newer"), std::string::npos) << error;
}

}  // namespace
}  // namespace veld::server
