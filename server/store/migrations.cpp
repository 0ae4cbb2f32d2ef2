#include "server/store/migrations.h"

#include <array>

namespace veld::server {

namespace {

// Version 1: accounts with their player record, the friend and blocked lists, and the id
// counters. Names are BLOBs: they are code-page-950 bytes, not UTF-8. The topic counter starts
// at 2 because id 1 is the root of the topic board.
constexpr std::string_view kVersion1 = R"sql(
CREATE TABLE accounts (
    id              INTEGER PRIMARY KEY,
    name            BLOB    NOT NULL UNIQUE,
    password_hash   TEXT    NOT NULL,
    account_class   TEXT    NOT NULL DEFAULT 'A',
    language_id     INTEGER NOT NULL DEFAULT 1028,
    privilege       INTEGER NOT NULL DEFAULT 9,
    rank_code       INTEGER NOT NULL DEFAULT 50,
    user_type       TEXT    NOT NULL DEFAULT 'N',
    px_code         INTEGER NOT NULL DEFAULT 0,
    wins            INTEGER NOT NULL DEFAULT 0,
    losses          INTEGER NOT NULL DEFAULT 0,
    promotion_index INTEGER NOT NULL DEFAULT 0,
    ranking         INTEGER NOT NULL DEFAULT 0,
    tag_number      INTEGER NOT NULL DEFAULT 0,
    home_topic_id   INTEGER NOT NULL UNIQUE,
    created_at      INTEGER NOT NULL
);
CREATE TABLE name_lists (
    account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,
    kind       INTEGER NOT NULL,
    units      BLOB    NOT NULL,
    PRIMARY KEY (account_id, kind)
);
CREATE TABLE counters (
    name       TEXT PRIMARY KEY,
    next_value INTEGER NOT NULL
);
INSERT INTO counters (name, next_value) VALUES ('topic', 2);
)sql";

// Version 2: the willingness to play is the player's setting and outlives his connection.
constexpr std::string_view kVersion2 = R"sql(
ALTER TABLE accounts ADD COLUMN play_wish TEXT NOT NULL DEFAULT 'O';
)sql";

constexpr std::array<std::string_view, 2> kMigrations{kVersion1, kVersion2};

}  // namespace

std::span<const std::string_view> sqliteMigrations() {
    return kMigrations;
}

}  // namespace veld::server
