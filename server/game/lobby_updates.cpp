// The lobby changes a game server tells every joined player of: games starting or changing,
// their titles, and rank changes.
#include "protocol/wire.h"
#include "server/game/game_service.h"

namespace veld::server {

void GameService::sendToAll(std::string_view message) {
    for (const auto& [uid, player] : players_) player->send(message);
}

std::vector<const GameEntry*> GameService::gameList() const {
    std::vector<const GameEntry*> list;
    list.reserve(games_.size());
    for (const auto& [gid, game] : games_.games()) list.push_back(&game);
    return list;
}

void GameService::announceGame(const GameEntry& game) {
    sendToAll(gameChangedMessage(game));
}

void GameService::announceTitles(const std::vector<const GameEntry*>& games) {
    for (const std::string& message : gameTitleListMessages(games)) sendToAll(message);
}

void GameService::announceTitle(const GameEntry& game) {
    sendToAll(gameTitleMessage(game));
}

bool GameService::changeRank(std::uint16_t uid, int rankCode) {
    GameSession* session = findPlayer(uid);
    if (!session || rankCode < 0 || rankCode > 0xFF) return false;
    Player& player = *session->player();
    // Told only once it is stored: a rank the players saw change never reverts at a restart.
    if (!storage_.setRankCode(player.account.id, rankCode)) return false;
    player.account.rankCode = rankCode;
    sendToAll("VV" + wordToBytes(uid) + static_cast<char>(rankCode));
    return true;
}

}  // namespace veld::server
