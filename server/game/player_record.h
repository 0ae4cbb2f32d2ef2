// A joined player and the player-list messages that describe him: the 35-byte records of
// "W2"/"W3" and the 38-byte "W1".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "server/store/storage.h"

namespace veld::server {

struct Player {
    std::uint16_t uid = 0;
    // The 4 address bytes as the player-list messages carry them; zeros when unknown.
    std::string addressBytes = std::string(4, '\0');
    std::uint16_t languageId = 0;
    // What the player is doing: 'N' idle, 'P' playing, 'B' broadcasting, 'T' teaching. It
    // lives with the connection: a player who comes back is idle, whatever he left.
    char playStatus = 'N';
    // The stored record; rank, results, personal data and willingness come from here.
    Account account;
};

// The 35-byte record of "W2"/"W3".
// `showAddress` is for viewers of kModeratorPrivilege and above, who bar addresses; everybody
// else sees 0.0.0.0.
std::string playerListRecord(const Player& player, bool showAddress);
// "W1" (38 bytes with the length prefix): the player arrived.
std::string playerArrivedMessage(const Player& player, bool showAddress);
// The player list as "W2" messages of at most `perMessage` records (capped to what fits in one
// frame), the last one sent as "W3". An empty list gives one empty "W3".
std::vector<std::string> playerListMessages(const std::vector<const Player*>& players,
                                            bool showAddress, std::size_t perMessage);

}  // namespace veld::server
