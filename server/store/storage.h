// The servers' persistent data behind one interface, so that a deployment of several machines
// can put a shared database server behind it. Every write returns only once it is durable; a
// caller tells a client that something succeeded only after the write returned true.
// Implementations are safe to call from several threads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veld::server {

// Account classes as the login reply carries them.
inline constexpr char kMemberClass = 'A';
inline constexpr char kTemporaryClass = 'Z';
inline constexpr char kTemporaryClassW = 'W';
inline bool isTemporaryClass(char c) {
    return c == kTemporaryClass || c == kTemporaryClassW;
}

// The rank code of a player without a rank ("31k", listed as "NR").
inline constexpr int kUnratedRankCode = 50;

// One account with the player record the game servers announce.
struct Account {
    std::int64_t id = 0;
    // Code-page-950 bytes without padding; padRight(name, 10) is the form on the wire.
    std::string name;
    // argon2id hash string; the password itself is never stored.
    std::string passwordHash;
    char accountClass = kMemberClass;
    std::uint32_t languageId = 1028;
    int privilege = 9;
    // Rank code; 50 shows as "NR" (not rated). Codes above 100 are established ranks.
    int rankCode = kUnratedRankCode;
    // 'D' marks a dummy user.
    char userType = 'N';
    // Willingness to play: 'O' accepts invitations; the other markers narrow or refuse them.
    char playWish = 'O';
    std::uint32_t pxCode = 0;
    int wins = 0;
    int losses = 0;
    int promotionIndex = 0;
    int ranking = 0;
    int tagNumber = 0;
    // The account's mail-box node of the topic board; assigned when the account is created.
    std::uint32_t homeTopicId = 0;
};

enum class NameList { Friends = 1, Blocked = 2 };

class Storage {
  public:
    virtual ~Storage() = default;

    // The account with exactly this name; nullopt when there is none (or it cannot be read).
    virtual std::optional<Account> findAccount(std::string_view name) = 0;
    // Stores a new account; its id and home topic id are assigned here. nullopt when the name
    // is taken or the write failed.
    virtual std::optional<Account> createAccount(const Account& account) = 0;
    // Writes every field but the id, the name and the home topic id.
    virtual bool updateAccount(const Account& account) = 0;
    virtual bool setPasswordHash(std::int64_t accountId, std::string_view hash) = 0;
    virtual bool setLanguageId(std::int64_t accountId, std::uint32_t languageId) = 0;
    // The player-record fields a game server changes while the player is on line; written
    // alone so that a stale copy of the account never overwrites what another server stored.
    virtual bool setRankCode(std::int64_t accountId, int rankCode) = 0;
    virtual bool setPlayWish(std::int64_t accountId, char playWish) = 0;

    // A list as the client last stored it: hex-unit text of names joined by CR LF. Empty when
    // nothing was stored.
    virtual std::string nameList(std::int64_t accountId, NameList which) = 0;
    virtual bool setNameList(std::int64_t accountId, NameList which, std::string_view units) = 0;
};

}  // namespace veld::server
