#include "server/community/server_list.h"

#include "protocol/frame.h"
#include "protocol/frame_fields.h"
#include "protocol/wire.h"

namespace veld::server {

std::optional<std::string> buildServerList(const std::vector<GameServerEntry>& servers) {
    std::string message = "CM";
    for (const GameServerEntry& server : servers) {
        const auto address = tryAddressToBytes(server.address);
        if (!address) return std::nullopt;
        message += *address;
        message += wordToBytes(server.port);
        message += packFrame(wideToHex(server.name));
        message += packFrame(wideToHex(server.description));
        if (message.size() > kMaxMessageBytes) return std::nullopt;
    }
    return message;
}

}  // namespace veld::server
