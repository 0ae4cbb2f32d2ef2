// A game server: joining, the player list and its changes, notices, and the relay of peer
// messages and broadcasts between the joined players. A connection is bound to its player by
// an accepted join; the uid it was given is the only one it may speak for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "server/auth/login_registry.h"
#include "server/core/dispatch_table.h"
#include "server/core/frame_session.h"
#include "server/game/game_registry.h"
#include "server/game/player_record.h"
#include "server/store/storage.h"

namespace veld::server {

struct GamePolicy {
    // "IX" text (code page 950) sent to every joining player; empty: none is sent.
    std::string notice;
    std::size_t maxPlayers = 500;
    // Player records per "W2"/"W3" message (capped to what fits in one frame).
    std::size_t playersPerMessage = 1000;
};

struct GameConfig {
    GamePolicy policy;
    SessionLimits session;
};

class GameService;

class GameSession final : public FrameSession {
  public:
    GameSession(GameService& service, std::shared_ptr<ClientLink> link);

    // The joined player; nullopt before an accepted join.
    const std::optional<Player>& player() const { return player_; }
    std::optional<Player>& player() { return player_; }
    void join(Player player) { player_ = std::move(player); }
    std::shared_ptr<GameSession> self() {
        return std::static_pointer_cast<GameSession>(shared_from_this());
    }

  private:
    Binding binding() const override;
    DispatchOutcome handleFrame(std::string_view frame) override;
    void closed() override;

    GameService& service_;
    std::optional<Player> player_;
};

class GameService final : public Service {
  public:
    GameService(Storage& storage, LoginRegistry& registry, Scheduler& scheduler, GameConfig config);

    std::shared_ptr<ConnectionHandler> open(std::shared_ptr<ClientLink> link) override;

    DispatchTable<GameSession>& table() { return table_; }
    Storage& storage() { return storage_; }
    const LoginRegistry& registry() const { return registry_; }
    const GamePolicy& policy() const { return config_.policy; }
    const SessionLimits& sessionLimits() const { return config_.session; }
    Scheduler& scheduler() { return scheduler_; }

    // --- the joined players ---
    std::size_t playerCount() const { return players_.size(); }
    bool isOnLine(std::string_view accountName) const;
    // A uid no joined player holds, handed out in turn so that a freed uid is not reused at
    // once; nullopt when the server is full.
    std::optional<std::uint16_t> freeUid();
    // Adds a session whose join was accepted (its player is set).
    void addPlayer(const std::shared_ptr<GameSession>& session);
    void removePlayer(const GameSession& session);
    GameSession* findPlayer(std::uint16_t uid) const;
    // Every joined session, in uid order.
    const std::map<std::uint16_t, std::shared_ptr<GameSession>>& players() const {
        return players_;
    }
    // Queues the message for every joined player.
    void sendToAll(std::string_view message);

    // --- the lobby: changes every joined player's lists are told of ---
    // The running games (empty until games are played).
    GameRegistry& games() { return games_; }
    const GameRegistry& games() const { return games_; }
    // Every running game, in gid order.
    std::vector<const GameEntry*> gameList() const;
    // "G1": the game started or changed.
    void announceGame(const GameEntry& game);
    // "GM" with the titles of these games (those without a title are left out).
    void announceTitles(const std::vector<const GameEntry*>& games);
    // "GK" "S": one game's title.
    void announceTitle(const GameEntry& game);
    // Stores the player's new rank code (0-255; above 100 an established rank), then tells
    // everybody, the player included, with "VV". False, and nobody is told, when no player has
    // the uid, the code is out of range or the write failed.
    bool changeRank(std::uint16_t uid, int rankCode);

  private:
    Storage& storage_;
    LoginRegistry& registry_;
    Scheduler& scheduler_;
    GameConfig config_;
    DispatchTable<GameSession> table_;
    std::map<std::uint16_t, std::shared_ptr<GameSession>> players_;
    std::unordered_map<std::string, std::uint16_t> byName_;
    std::uint16_t lastUid_ = 0;
    GameRegistry games_;
};

// The subsystems' handlers, each in its own file.
void addJoinHandlers(GameService& service);
void addRelayHandlers(GameService& service);
void addPlayerChangeHandlers(GameService& service);

}  // namespace veld::server
