// The "CM" message: the game servers a client may join.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "server/community/community_service.h"

namespace veld::server {

// Per server: the 4-byte address (its dotted text lists the bytes from the last to the first),
// the port (2 bytes), then the name and the description, each as four-hex-digit text behind its
// 2-byte length. nullopt when an address is not dotted IPv4 or the list outgrows one message.
std::optional<std::string> buildServerList(const std::vector<GameServerEntry>& servers);

}  // namespace veld::server
