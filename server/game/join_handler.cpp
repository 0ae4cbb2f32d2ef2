// The join "UG" + name10 + W(language id) + class letter. The join carries no credential: it is
// accepted only for an account whose community login is live from the same address. Reply
// "OK" + result + W(uid) + W(privilege) + 4 unused bytes + the mail-box topic id (4 bytes):
//   "0"  joined; then "IX" (the notice, when there is one), the player list in "W2" messages
//        ended by "W3" (the joiner included), the game list "G2" (after the players it names)
//        and "GM" with the games' titles when any has one; "W1" for the joiner to everybody
//        else
//   "3"  refused: no live community login from this address, or the account may not play
//   "4"  refused for now: the server is full
//   "5"  the account is on line on this server already
#include "protocol/frame_fields.h"
#include "protocol/wire.h"
#include "server/auth/account_names.h"
#include "server/core/privileges.h"
#include "server/game/game_service.h"

namespace veld::server {

namespace {

void refuse(GameSession& session, char result) {
    session.send(std::string("OK") + result + std::string(12, '\0'));
}

bool seesAddresses(const Player& viewer) {
    return viewer.account.privilege >= kModeratorPrivilege;
}

void onJoin(GameService& service, GameSession& session, std::string_view frame) {
    const auto name = accountNameFromField(frameField(frame, 5, 10));
    if (!name || !service.registry().isLiveFrom(*name, session.address()))
        return refuse(session, '3');
    auto account = service.storage().findAccount(*name);
    if (!account || account->privilege <= 0) return refuse(session, '3');
    if (service.isOnLine(*name)) return refuse(session, '5');
    const auto uid = service.freeUid();
    if (!uid) return refuse(session, '4');

    Player player;
    player.uid = *uid;
    if (auto bytes = tryAddressToBytes(session.address())) player.addressBytes = *bytes;
    player.languageId = frameWord(frame, 15);
    player.account = std::move(*account);
    session.join(player);
    service.addPlayer(session.self());

    session.send("OK0" + wordToBytes(player.uid) +
                 wordToBytes(static_cast<std::uint32_t>(player.account.privilege)) +
                 std::string(4, '\0') + longToBytes(player.account.homeTopicId));
    if (!service.policy().notice.empty()) session.send("IX" + service.policy().notice);

    std::vector<const Player*> list;
    list.reserve(service.playerCount());
    for (const auto& [uid, other] : service.players()) list.push_back(&*other->player());
    for (const std::string& message :
         playerListMessages(list, seesAddresses(player), service.policy().playersPerMessage))
        session.send(message);
    const std::vector<const GameEntry*> games = service.gameList();
    for (const std::string& message : gameListMessages(games)) session.send(message);
    for (const std::string& message : gameTitleListMessages(games)) session.send(message);

    const std::string arrived = playerArrivedMessage(player, false);
    const std::string arrivedWithAddress = playerArrivedMessage(player, true);
    for (const auto& [uid, other] : service.players()) {
        if (other.get() == &session) continue;
        other->send(seesAddresses(*other->player()) ? arrivedWithAddress : arrived);
    }
}

}  // namespace

void addJoinHandlers(GameService& service) {
    service.table().add("UG", Binding::Unbound, 17,
                        [&service](GameSession& s, std::string_view f) { onJoin(service, s, f); });
}

}  // namespace veld::server
