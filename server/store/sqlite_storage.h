// The embedded store: one SQLite file in WAL mode with full synchronous commits, so that a
// write is on disk when it returns. The schema is brought up to date at open.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "server/store/storage.h"

struct sqlite3;

namespace veld::server {

class SqliteStorage final : public Storage {
  public:
    // Opens (creating when missing) the database file and applies the pending migrations.
    // ":memory:" opens a private in-memory database (tests, fuzzing). nullptr with a reason
    // in `error` when the file cannot be opened, is not a database, or was written by a newer
    // server whose schema this one does not know.
    static std::unique_ptr<SqliteStorage> open(const std::string& path, std::string& error);
    ~SqliteStorage() override;
    SqliteStorage(const SqliteStorage&) = delete;
    SqliteStorage& operator=(const SqliteStorage&) = delete;

    int schemaVersion();

    std::optional<Account> findAccount(std::string_view name) override;
    std::optional<Account> createAccount(const Account& account) override;
    bool updateAccount(const Account& account) override;
    bool setPasswordHash(std::int64_t accountId, std::string_view hash) override;
    bool setLanguageId(std::int64_t accountId, std::uint32_t languageId) override;
    bool setRankCode(std::int64_t accountId, int rankCode) override;
    bool setPlayWish(std::int64_t accountId, char playWish) override;
    std::string nameList(std::int64_t accountId, NameList which) override;
    bool setNameList(std::int64_t accountId, NameList which, std::string_view units) override;

  private:
    explicit SqliteStorage(sqlite3* db) : db_(db) {}
    bool migrate(std::string& error);
    bool exec(const char* sql);
    int versionUnlocked();

    std::mutex mutex_;
    sqlite3* db_;
};

}  // namespace veld::server
