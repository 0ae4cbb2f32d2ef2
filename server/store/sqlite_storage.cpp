#include "server/store/sqlite_storage.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "server/store/migrations.h"

namespace veld::server {

namespace {

// One prepared statement; finalised when it goes out of scope.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    Statement& bind(int i, std::int64_t v) {
        if (stmt_) sqlite3_bind_int64(stmt_, i, v);
        return *this;
    }
    Statement& bindBlob(int i, std::string_view v) {
        if (stmt_) sqlite3_bind_blob64(stmt_, i, v.data(), v.size(), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bindText(int i, std::string_view v) {
        if (stmt_) sqlite3_bind_text64(stmt_, i, v.data(), v.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    bool run() { return step() == SQLITE_DONE && sqlite3_changes(db_) > 0; }
    std::int64_t integer(int col) { return sqlite3_column_int64(stmt_, col); }
    std::string bytes(int col) {
        const void* p = sqlite3_column_blob(stmt_, col);
        const int n = sqlite3_column_bytes(stmt_, col);
        return p ? std::string(static_cast<const char*>(p), static_cast<std::size_t>(n))
                 : std::string();
    }
    char letter(int col, char fallback) {
        const std::string s = bytes(col);
        return s.empty() ? fallback : s[0];
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

constexpr const char* kAccountColumns =
    "id, name, password_hash, account_class, language_id, privilege, rank_code, user_type, "
    "px_code, wins, losses, promotion_index, ranking, tag_number, home_topic_id, play_wish";

Account readAccount(Statement& s) {
    Account a;
    a.id = s.integer(0);
    a.name = s.bytes(1);
    a.passwordHash = s.bytes(2);
    a.accountClass = s.letter(3, kMemberClass);
    a.languageId = static_cast<std::uint32_t>(s.integer(4));
    a.privilege = static_cast<int>(s.integer(5));
    a.rankCode = static_cast<int>(s.integer(6));
    a.userType = s.letter(7, 'N');
    a.pxCode = static_cast<std::uint32_t>(s.integer(8));
    a.wins = static_cast<int>(s.integer(9));
    a.losses = static_cast<int>(s.integer(10));
    a.promotionIndex = static_cast<int>(s.integer(11));
    a.ranking = static_cast<int>(s.integer(12));
    a.tagNumber = static_cast<int>(s.integer(13));
    a.homeTopicId = static_cast<std::uint32_t>(s.integer(14));
    a.playWish = s.letter(15, 'O');
    return a;
}

void logError(sqlite3* db, const char* what) {
    std::fprintf(stderr, "storage: %s: %s\n", what, sqlite3_errmsg(db));
}

}  // namespace

std::unique_ptr<SqliteStorage> SqliteStorage::open(const std::string& path, std::string& error) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        error = "cannot open " + path + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<SqliteStorage> storage(new SqliteStorage(db));
    sqlite3_busy_timeout(db, 5000);
    // WAL lets readers go on while a write commits; FULL makes every commit durable.
    if (!storage->exec("PRAGMA journal_mode=WAL") || !storage->exec("PRAGMA synchronous=FULL") ||
        !storage->exec("PRAGMA foreign_keys=ON")) {
        error = path + ": " + sqlite3_errmsg(db);
        return nullptr;
    }
    if (!storage->migrate(error)) return nullptr;
    return storage;
}

SqliteStorage::~SqliteStorage() {
    sqlite3_close(db_);
}

bool SqliteStorage::exec(const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

int SqliteStorage::versionUnlocked() {
    Statement s(db_, "SELECT version FROM schema_version");
    return s.step() == SQLITE_ROW ? static_cast<int>(s.integer(0)) : 0;
}

int SqliteStorage::schemaVersion() {
    std::lock_guard lock(mutex_);
    return versionUnlocked();
}

bool SqliteStorage::migrate(std::string& error) {
    if (!exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)")) {
        error = std::string("not a usable database: ") + sqlite3_errmsg(db_);
        return false;
    }
    const auto migrations = sqliteMigrations();
    const int known = static_cast<int>(migrations.size());
    int version = versionUnlocked();
    if (version > known) {
        error = "the database has schema version " + std::to_string(version) +
                ", newer than this server's " + std::to_string(known);
        return false;
    }
    for (; version < known; ++version) {
        const std::string sql = std::string(migrations[static_cast<std::size_t>(version)]);
        const std::string record =
            "DELETE FROM schema_version; INSERT INTO schema_version "
            "VALUES (" +
            std::to_string(version + 1) + ");";
        if (!exec("BEGIN IMMEDIATE")) {
            error = std::string("cannot start migration: ") + sqlite3_errmsg(db_);
            return false;
        }
        if (!exec(sql.c_str()) || !exec(record.c_str()) || !exec("COMMIT")) {
            error = "migration " + std::to_string(version + 1) + " failed: " + sqlite3_errmsg(db_);
            exec("ROLLBACK");
            return false;
        }
    }
    return true;
}

std::optional<Account> SqliteStorage::findAccount(std::string_view name) {
    std::lock_guard lock(mutex_);
    const std::string sql =
        std::string("SELECT ") + kAccountColumns + " FROM accounts WHERE name = ?1";
    Statement s(db_, sql.c_str());
    s.bindBlob(1, name);
    if (s.step() != SQLITE_ROW) return std::nullopt;
    return readAccount(s);
}

std::optional<Account> SqliteStorage::createAccount(const Account& account) {
    std::lock_guard lock(mutex_);
    if (!exec("BEGIN IMMEDIATE")) return std::nullopt;
    Account created = account;
    {
        Statement next(db_,
                       "UPDATE counters SET next_value = next_value + 1 WHERE name = 'topic' "
                       "RETURNING next_value - 1");
        if (next.step() != SQLITE_ROW) {
            exec("ROLLBACK");
            return std::nullopt;
        }
        created.homeTopicId = static_cast<std::uint32_t>(next.integer(0));
    }
    Statement insert(db_,
                     "INSERT INTO accounts (name, password_hash, account_class, language_id, "
                     "privilege, rank_code, user_type, px_code, wins, losses, promotion_index, "
                     "ranking, tag_number, home_topic_id, created_at, play_wish) VALUES "
                     "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)");
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch());
    insert.bindBlob(1, created.name)
        .bindText(2, created.passwordHash)
        .bindText(3, std::string(1, created.accountClass))
        .bind(4, created.languageId)
        .bind(5, created.privilege)
        .bind(6, created.rankCode)
        .bindText(7, std::string(1, created.userType))
        .bind(8, created.pxCode)
        .bind(9, created.wins)
        .bind(10, created.losses)
        .bind(11, created.promotionIndex)
        .bind(12, created.ranking)
        .bind(13, created.tagNumber)
        .bind(14, created.homeTopicId)
        .bind(15, now.count())
        .bindText(16, std::string(1, created.playWish));
    if (!insert.run()) {
        exec("ROLLBACK");
        return std::nullopt;
    }
    created.id = sqlite3_last_insert_rowid(db_);
    if (!exec("COMMIT")) {
        logError(db_, "create account");
        exec("ROLLBACK");
        return std::nullopt;
    }
    return created;
}

bool SqliteStorage::updateAccount(const Account& a) {
    std::lock_guard lock(mutex_);
    Statement s(db_,
                "UPDATE accounts SET password_hash = ?2, account_class = ?3, language_id = ?4, "
                "privilege = ?5, rank_code = ?6, user_type = ?7, px_code = ?8, wins = ?9, "
                "losses = ?10, promotion_index = ?11, ranking = ?12, tag_number = ?13, "
                "play_wish = ?14 WHERE id = ?1");
    s.bind(1, a.id)
        .bindText(2, a.passwordHash)
        .bindText(3, std::string(1, a.accountClass))
        .bind(4, a.languageId)
        .bind(5, a.privilege)
        .bind(6, a.rankCode)
        .bindText(7, std::string(1, a.userType))
        .bind(8, a.pxCode)
        .bind(9, a.wins)
        .bind(10, a.losses)
        .bind(11, a.promotionIndex)
        .bind(12, a.ranking)
        .bind(13, a.tagNumber)
        .bindText(14, std::string(1, a.playWish));
    if (s.run()) return true;
    logError(db_, "update account");
    return false;
}

bool SqliteStorage::setPasswordHash(std::int64_t accountId, std::string_view hash) {
    std::lock_guard lock(mutex_);
    Statement s(db_, "UPDATE accounts SET password_hash = ?2 WHERE id = ?1");
    s.bind(1, accountId).bindText(2, hash);
    if (s.run()) return true;
    logError(db_, "set password");
    return false;
}

bool SqliteStorage::setLanguageId(std::int64_t accountId, std::uint32_t languageId) {
    std::lock_guard lock(mutex_);
    Statement s(db_, "UPDATE accounts SET language_id = ?2 WHERE id = ?1");
    s.bind(1, accountId).bind(2, languageId);
    return s.run();
}

bool SqliteStorage::setRankCode(std::int64_t accountId, int rankCode) {
    std::lock_guard lock(mutex_);
    Statement s(db_, "UPDATE accounts SET rank_code = ?2 WHERE id = ?1");
    s.bind(1, accountId).bind(2, rankCode);
    if (s.run()) return true;
    logError(db_, "set rank");
    return false;
}

bool SqliteStorage::setPlayWish(std::int64_t accountId, char playWish) {
    std::lock_guard lock(mutex_);
    Statement s(db_, "UPDATE accounts SET play_wish = ?2 WHERE id = ?1");
    s.bind(1, accountId).bindText(2, std::string(1, playWish));
    if (s.run()) return true;
    logError(db_, "set willingness");
    return false;
}

std::string SqliteStorage::nameList(std::int64_t accountId, NameList which) {
    std::lock_guard lock(mutex_);
    Statement s(db_, "SELECT units FROM name_lists WHERE account_id = ?1 AND kind = ?2");
    s.bind(1, accountId).bind(2, static_cast<int>(which));
    return s.step() == SQLITE_ROW ? s.bytes(0) : std::string();
}

bool SqliteStorage::setNameList(std::int64_t accountId, NameList which, std::string_view units) {
    std::lock_guard lock(mutex_);
    Statement s(db_,
                "INSERT INTO name_lists (account_id, kind, units) VALUES (?1, ?2, ?3) "
                "ON CONFLICT (account_id, kind) DO UPDATE SET units = excluded.units");
    s.bind(1, accountId).bind(2, static_cast<int>(which)).bindBlob(3, units);
    if (s.run()) return true;
    logError(db_, "store name list");
    return false;
}

}  // namespace veld::server
