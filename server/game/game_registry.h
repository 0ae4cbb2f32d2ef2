// The games running on one game server, as the game list shows them, and the game-list
// messages: the 10-byte game record of "G1"/"G2" and the titles of "GM"/"GK".
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace veld::server {

// A title is cut to this many UTF-16 units when it is set.
inline constexpr std::size_t kMaxGameTitleUnits = 30;

struct GameEntry {
    std::uint16_t gid = 0;
    // Shown as four digits in the game list.
    std::uint16_t number = 0;
    std::uint16_t blackUid = 0;
    std::uint16_t whiteUid = 0;
    // Bit 0 public, bits 1-2 kind (0 "D", 1 "B" broadcast, 2 "R" ordinary, 3 "T" teaching
    // room), bits 3-7 handicap.
    std::uint8_t terms = 0;
    // Sent capped at 255.
    std::size_t observerCount = 0;
    std::u16string title;
};

class GameRegistry {
  public:
    // Registers a game under a gid no running game holds (handed out in turn, so that a freed
    // gid is not reused at once) and the next game number (1-9999, then from 1 again).
    // nullptr when every gid is taken. The pointer stays valid until the game ends.
    GameEntry* start(std::uint16_t blackUid, std::uint16_t whiteUid, std::uint8_t terms);
    GameEntry* find(std::uint16_t gid);
    // False when no such game runs.
    bool end(std::uint16_t gid);
    // Cuts the title to kMaxGameTitleUnits; false when no such game runs.
    bool setTitle(std::uint16_t gid, std::u16string title);

    // The running games in gid order.
    const std::map<std::uint16_t, GameEntry>& games() const { return games_; }
    std::size_t size() const { return games_.size(); }

  private:
    std::map<std::uint16_t, GameEntry> games_;
    std::uint16_t lastGid_ = 0;
    std::uint16_t lastNumber_ = 0;
};

// The 10-byte record: W(number) W(gid) W(black uid) W(white uid) terms observers.
std::string gameListRecord(const GameEntry& game);
// "G1" + the record: the game started or changed.
std::string gameChangedMessage(const GameEntry& game);
// The whole list as "G2" messages of as many records as fit a frame. An empty list gives one
// "G2" without records: the receiver builds its (empty) list on it.
std::vector<std::string> gameListMessages(const std::vector<const GameEntry*>& games);
// "GM" + (W(gid) W(L) L bytes of hex-unit title) per game with a title, as many per message as
// fit a frame; none when no game has a title.
std::vector<std::string> gameTitleListMessages(const std::vector<const GameEntry*>& games);
// "GK" + W(gid) + "S" + the title in code page 950: one game's title.
std::string gameTitleMessage(const GameEntry& game);

}  // namespace veld::server
