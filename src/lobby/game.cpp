#include "lobby/game.h"

#include <array>

#include "protocol/fields.h"

namespace veld {

void applyTermsByte(Tgame& game, std::uint8_t terms) {
    static constexpr std::array<const char*, 4> kKinds{"D", "B", "R", "T"};
    game.publicGame = terms & 1;
    game.gameKind = std::string(kKinds[(terms >> 1) & 3]);
    game.handicap = terms >> 3;
}

std::string playStatusOfKind(std::string_view gameKind) {
    if (gameKind == "B") return std::string("B");
    if (gameKind == "T") return std::string("T");
    return std::string("P");
}

int gameImageOfStatus(std::string_view playStatus) {
    if (playStatus == "T") return kTeachingGameImage;
    if (playStatus == "B") return kBroadcastGameImage;
    return kPlayedGameImage;
}

std::string gameNumberText(std::uint16_t gameNumber) {
    return padZero(std::to_string(gameNumber), 4);
}

}  // namespace veld
