// The fields of the own player's record that the login and the join of a game server set.
#pragma once

#include <cstdint>
#include <string>

namespace veld {

struct OwnRecord {
    // The login name in code page 950, trimmed; at most 10 bytes once accepted.
    std::string name;
    // padRight(name, 10): the name as messages carry it.
    std::string rawName;
    // One letter from the login reply (empty if the reply had none); "Z" and "W" are temporary
    // accounts.
    std::string accountClass;
    // Given by the game server at each join.
    std::uint16_t uid = 0;
    std::uint16_t privilege = 0;
    // The topic id of the own mail box.
    std::uint32_t homeTopicId = 0;
    // "N" after a join: neither playing nor observing.
    std::string playStatus;

    bool isTemporaryAccount() const { return accountClass == "Z" || accountClass == "W"; }
};

}  // namespace veld
