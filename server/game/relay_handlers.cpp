// Messages between clients. "PP" + addressee uid + sender uid + sub-code + body goes unchanged
// to the addressee; "BB" + sender uid + sub-code + body goes unchanged to every joined client.
// A client speaks only for itself: a sender uid other than the connection's own is dropped, as
// is a message to nobody. The one exception is the permission to observe a private game, which
// its players pass on in the name of the player who asked (see mayActForAsker). Some sub-codes
// are not relayed at all or only for administrators.
#include <algorithm>
#include <array>

#include "protocol/frame_fields.h"
#include "protocol/wire.h"
#include "server/core/privileges.h"
#include "server/game/game_service.h"

namespace veld::server {

namespace {

// No client command sends these: "VS" makes the receiver play any file name it carries, and
// "P8" is answered with "P8", so one injected frame would bounce between two clients for ever.
constexpr std::array<std::string_view, 3> kUnrelayedPeer{"GY", "VS", "P8"};
// Warning boxes and the version query of the chief administrator.
constexpr std::array<std::string_view, 2> kChiefPeer{"SW", "P6"};
// Public broadcasts and clearing the chat room are the moderators'.
constexpr std::array<std::string_view, 2> kModeratorBroadcast{"XB", "CC"};

bool contains(const auto& list, std::string_view code) {
    return std::find(list.begin(), list.end(), code) != list.end();
}

bool isOwnUid(const GameSession& session, std::string_view field) {
    return field == wordToBytes(session.player()->uid);
}

// "PP" + addressee + asker + "OK" + gid, sent by a player of that game: he passes the asker's
// request on to the game's other player, or grants it by sending it to the asker in the
// asker's own name (the asker's client turns that into its request to observe). Nothing else
// may name a foreign sender: the exact length keeps out a second player's uid, which would
// pass the request on further.
bool mayActForAsker(GameService& service, const GameSession& session, std::string_view frame) {
    constexpr std::size_t kPermissionLength = 12;
    if (frameField(frame, 9, 2) != "OK" || frame.size() != kPermissionLength) return false;
    const GameEntry* game = service.games().find(frameWord(frame, 11));
    const std::uint16_t self = session.player()->uid;
    if (!game || (self != game->blackUid && self != game->whiteUid)) return false;
    const std::uint16_t addressee = frameWord(frame, 5);
    const std::uint16_t other = self == game->blackUid ? game->whiteUid : game->blackUid;
    return addressee == frameWord(frame, 7) || addressee == other;
}

void onPeer(GameService& service, GameSession& session, std::string_view frame) {
    if (!isOwnUid(session, frameField(frame, 7, 2)) && !mayActForAsker(service, session, frame))
        return;
    const std::string_view sub = frameField(frame, 9, 2);
    if (contains(kUnrelayedPeer, sub)) return;
    if (contains(kChiefPeer, sub) && session.player()->account.privilege < kChiefPrivilege) return;
    if (GameSession* addressee = service.findPlayer(frameWord(frame, 5)))
        addressee->send(frame.substr(2));
}

void onBroadcast(GameService& service, GameSession& session, std::string_view frame) {
    if (!isOwnUid(session, frameField(frame, 5, 2))) return;
    if (!contains(kModeratorBroadcast, frameField(frame, 7, 2))) return;
    if (session.player()->account.privilege < kModeratorPrivilege) return;
    const std::string_view message = frame.substr(2);
    for (const auto& [uid, player] : service.players()) player->send(message);
}

}  // namespace

void addRelayHandlers(GameService& service) {
    auto& table = service.table();
    table.add("PP", Binding::Bound, 10,
              [&service](GameSession& s, std::string_view f) { onPeer(service, s, f); });
    table.add("BB", Binding::Bound, 8,
              [&service](GameSession& s, std::string_view f) { onBroadcast(service, s, f); });
}

}  // namespace veld::server
