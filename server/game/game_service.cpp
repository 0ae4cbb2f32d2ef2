#include "server/game/game_service.h"

#include "protocol/wire.h"

namespace veld::server {

GameSession::GameSession(GameService& service, std::shared_ptr<ClientLink> link)
    : FrameSession(std::move(link), service.scheduler(), service.sessionLimits()),
      service_(service) {}

Binding GameSession::binding() const {
    return player_ ? Binding::Bound : Binding::Unbound;
}

DispatchOutcome GameSession::handleFrame(std::string_view frame) {
    return service_.table().dispatch(*this, frame, binding());
}

void GameSession::closed() {
    if (!player_) return;
    service_.removePlayer(*this);
    const std::string left = "WX" + wordToBytes(player_->uid);
    for (const auto& [uid, other] : service_.players()) other->send(left);
}

GameService::GameService(Storage& storage, LoginRegistry& registry, Scheduler& scheduler,
                         GameConfig config)
    : storage_(storage), registry_(registry), scheduler_(scheduler), config_(std::move(config)) {
    addJoinHandlers(*this);
    addRelayHandlers(*this);
    addPlayerChangeHandlers(*this);
}

std::shared_ptr<ConnectionHandler> GameService::open(std::shared_ptr<ClientLink> link) {
    auto session = std::make_shared<GameSession>(*this, std::move(link));
    session->start();
    return session;
}

bool GameService::isOnLine(std::string_view accountName) const {
    return byName_.contains(std::string(accountName));
}

std::optional<std::uint16_t> GameService::freeUid() {
    if (players_.size() >= config_.policy.maxPlayers || players_.size() >= 0xFFFF)
        return std::nullopt;
    std::uint16_t uid = lastUid_;
    do {
        ++uid;  // wraps past 65535 to 0, which is skipped
    } while (uid == 0 || players_.contains(uid));
    lastUid_ = uid;
    return uid;
}

void GameService::addPlayer(const std::shared_ptr<GameSession>& session) {
    const Player& p = *session->player();
    players_[p.uid] = session;
    byName_[p.account.name] = p.uid;
}

void GameService::removePlayer(const GameSession& session) {
    const Player& p = *session.player();
    const auto it = players_.find(p.uid);
    if (it == players_.end() || it->second.get() != &session) return;
    players_.erase(it);
    byName_.erase(p.account.name);
}

GameSession* GameService::findPlayer(std::uint16_t uid) const {
    const auto it = players_.find(uid);
    return it == players_.end() ? nullptr : it->second.get();
}

}  // namespace veld::server
