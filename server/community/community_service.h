// The community server: logins, the game-server list, password changes, and the friend and
// blocked lists. A connection is bound to its account by an accepted login; no later request
// carries credentials, and each acts on the bound account only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/auth/login_registry.h"
#include "server/auth/login_throttle.h"
#include "server/auth/passwords.h"
#include "server/core/dispatch_table.h"
#include "server/core/frame_session.h"
#include "server/core/privileges.h"
#include "server/store/storage.h"

namespace veld::server {

inline constexpr std::uint16_t kLoginProtocolVersion = 31702;

enum class Registration {
    Off,        // unknown names are refused
    Members,    // an unknown name becomes a member account at its first login
    Temporary,  // ... a temporary account (class "Z")
};

struct CommunityPolicy {
    Registration registration = Registration::Members;
    bool maintenance = false;
    bool temporaryClosed = false;
    int newAccountPrivilege = 9;
};

// One entry of the game-server list.
struct GameServerEntry {
    std::string address;  // dotted IPv4
    std::uint16_t port = 0;
    std::u16string name;
    std::u16string description;
};

struct CommunityConfig {
    CommunityPolicy policy;
    SessionLimits session;
    PasswordLimits passwords = PasswordLimits::interactive();
    ThrottlePolicy throttle;
    std::vector<GameServerEntry> gameServers;
};

class CommunityService;

class CommunitySession final : public FrameSession {
  public:
    CommunitySession(CommunityService& service, std::shared_ptr<ClientLink> link);

    // The account this connection logged in as; nullopt before an accepted login.
    const std::optional<Account>& account() const { return account_; }
    void bind(Account account, LoginTicket ticket);
    std::weak_ptr<CommunitySession> weak() {
        return std::static_pointer_cast<CommunitySession>(shared_from_this());
    }

  private:
    Binding binding() const override;
    DispatchOutcome handleFrame(std::string_view frame) override;
    void closed() override;

    CommunityService& service_;
    std::optional<Account> account_;
    LoginTicket ticket_ = 0;
};

class CommunityService final : public Service {
  public:
    // The game-server list must be encodable (buildServerList); the caller checks it first.
    CommunityService(Storage& storage, LoginRegistry& registry, Scheduler& scheduler,
                     CommunityConfig config);

    std::shared_ptr<ConnectionHandler> open(std::shared_ptr<ClientLink> link) override;

    DispatchTable<CommunitySession>& table() { return table_; }
    Storage& storage() { return storage_; }
    LoginRegistry& registry() { return registry_; }
    Scheduler& scheduler() { return scheduler_; }
    const PasswordHasher& hasher() const { return hasher_; }
    LoginThrottle& throttle() { return throttle_; }
    const CommunityPolicy& policy() const { return config_.policy; }
    const SessionLimits& sessionLimits() const { return config_.session; }
    bool hasGameServers() const { return !config_.gameServers.empty(); }
    // The "CM" message announcing the game servers.
    const std::string& serverListMessage() const { return serverList_; }
    // A hash of no password, checked against when a login names no account so that such an
    // answer takes as long as a wrong password.
    const std::string& decoyHash() const { return decoyHash_; }

  private:
    Storage& storage_;
    LoginRegistry& registry_;
    Scheduler& scheduler_;
    CommunityConfig config_;
    PasswordHasher hasher_;
    LoginThrottle throttle_;
    std::string serverList_;
    std::string decoyHash_;
    DispatchTable<CommunitySession> table_;
};

// The subsystems' handlers, each in its own file.
void addLoginHandlers(CommunityService& service);
void addNameListHandlers(CommunityService& service);

}  // namespace veld::server
