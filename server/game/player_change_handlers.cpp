// "PC": a player changes something of his own record and every client is told. A player speaks
// only for himself; the sub-codes that act on other players (ranks, levels, awards) are the
// administrators' and arrive with their commands.
#include <string_view>

#include "protocol/frame_fields.h"
#include "protocol/wire.h"
#include "server/game/game_service.h"

namespace veld::server {

namespace {

// The willingness markers a player may choose.
constexpr std::string_view kPlayWishMarkers = "!OX%=><+-";

// "PC3" + own uid + marker: stored, then relayed unchanged to every joined player.
void onPlayWish(GameService& service, GameSession& session, std::string_view frame) {
    constexpr std::size_t kLength = 8;
    if (frame.size() != kLength) return;
    Player& player = *session.player();
    const char marker = frame[7];
    if (frameWord(frame, 6) != player.uid ||
        kPlayWishMarkers.find(marker) == std::string_view::npos)
        return;
    if (!service.storage().setPlayWish(player.account.id, marker)) return;
    player.account.playWish = marker;
    service.sendToAll(frame.substr(2));
}

}  // namespace

void addPlayerChangeHandlers(GameService& service) {
    service.table().add("PC", Binding::Bound, 5, [&service](GameSession& s, std::string_view f) {
        if (f[4] == '3') onPlayWish(service, s, f);
    });
}

}  // namespace veld::server
