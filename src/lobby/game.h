// One running game of the joined game server, as the game-list messages describe it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "lobby/user.h"

namespace veld {

// Row images of the shared image list.
inline constexpr int kTeachingGameImage = 14;
inline constexpr int kBroadcastGameImage = 15;
inline constexpr int kPlayedGameImage = 6;

// Plain record. Game windows and observer lists hold it by GameRef, so a game taken out of the
// list stays readable for them.
struct Tgame {
    // Key of the game list and of every message about the game.
    std::uint16_t gid = 0;
    // "D", "B" broadcast, "R" ordinary, "T" teaching room.
    std::string gameKind;
    std::uint16_t gameNumber = 0;
    // The players' records. Held, not borrowed: a player who left stays readable through the
    // games that still name him.
    UserRef black;
    UserRef white;
    // The players' 10-byte names, and their ranks as they were when the game was announced.
    std::string blackName;
    std::string blackRank;
    std::u16string blackDisplayName;
    std::u16string whiteDisplayName;
    std::string whiteName;
    std::string whiteRank;
    int blackRankValue = 0;
    int whiteRankValue = 0;
    // 0 or 1; decides how observing starts.
    int publicGame = 0;
    int observerCount = 0;
    // "P" played, "B" broadcast, "T" teaching; "X" once the game has ended.
    std::string playStatus;
    std::u16string playStatusText;
    // The record text of a broadcast game.
    std::string broadcastText;
    std::u16string title;
    int iconIndex = 0;
    int handicap = 0;
    // How many times the user started observing this game.
    int watchCount = 0;
};

using GameRef = std::shared_ptr<Tgame>;

// The terms byte of a game: bit 0 public, bits 1-2 kind (0 "D", 1 "B", 2 "R", 3 "T"), bits 3-7
// handicap. Sets gameKind, handicap and publicGame.
void applyTermsByte(Tgame& game, std::uint8_t terms);

// "P" for a played game, "B" for a broadcast, "T" for a teaching room; and the row image of that
// status.
std::string playStatusOfKind(std::string_view gameKind);
int gameImageOfStatus(std::string_view playStatus);

// The game number as the list shows it: 4 decimal digits, zero-padded on the left; a number of 5
// digits shows its first 4.
std::string gameNumberText(std::uint16_t gameNumber);

}  // namespace veld
