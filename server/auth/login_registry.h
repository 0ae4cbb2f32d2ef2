// The live community logins, shared by the community server and the game servers. A game
// join carries no credential, so a game server admits an account only while that account has a
// live community login from the same address.
//
// Here all servers run in one process and share the in-memory registry. Servers in separate
// processes would implement this interface over the shared database (a row per live login,
// refreshed by the community server and dropped when the login ends or stops being refreshed).
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace veld::server {

using LoginTicket = std::uint64_t;

class LoginRegistry {
  public:
    virtual ~LoginRegistry() = default;
    // Records a live login of `account` from `address`; nullopt when the account already has
    // one. The ticket identifies this login when it ends.
    virtual std::optional<LoginTicket> tryAdd(std::string_view account,
                                              std::string_view address) = 0;
    // The login with this ticket ended; nothing if it is not the account's current one.
    virtual void remove(std::string_view account, LoginTicket ticket) = 0;
    virtual bool isLive(std::string_view account) const = 0;
    // True when the account has a live login from exactly this address.
    virtual bool isLiveFrom(std::string_view account, std::string_view address) const = 0;
};

// Thread-safe, in one process.
class InMemoryLoginRegistry final : public LoginRegistry {
  public:
    std::optional<LoginTicket> tryAdd(std::string_view account, std::string_view address) override;
    void remove(std::string_view account, LoginTicket ticket) override;
    bool isLive(std::string_view account) const override;
    bool isLiveFrom(std::string_view account, std::string_view address) const override;

  private:
    struct Login {
        std::string address;
        LoginTicket ticket;
    };
    mutable std::mutex mutex_;
    std::unordered_map<std::string, Login> logins_;
    LoginTicket next_ = 1;
};

}  // namespace veld::server
