// The game servers that the community server offers after the login, as its "CM" message lists
// them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/frame.h"
#include "protocol/ports.h"

namespace veld {

// One game server of the list.
struct Tcom {
    // The name as four-hex-digit wide text, as received, and decoded (the item's caption).
    std::string hexName;
    std::u16string wideName;
    // Dotted IPv4 text.
    std::string address;
    std::uint16_t port = 0;
    // A description in four-hex-digit wide text.
    std::string extraData;
    // The server's notice text ("IX"), 8-bit as received.
    std::string notice;
    // The connection context made when this server was last joined.
    std::shared_ptr<ConnectionContext> joinContext;
    // 3 after a refused join, 5 after the reply that the account is in use; 0 before.
    int joinState = 0;
    // Set once the topic page was first shown after joining: the topic tree was asked for.
    bool topicsRequested = false;
};

// Entries are shared so that the server being joined outlives a list that replaces it.
using ServerList = std::vector<std::shared_ptr<Tcom>>;

// The records of a "CM" frame, from position 5 to the end: 4 bytes address, 2 bytes port,
// 2 bytes length + the hex name, 2 bytes length + the description. A record that does not fit in
// what is left of the frame ends the list: the complete records before it are kept.
ServerList parseServerList(std::string_view frame);

// The view items of the list: caption wideName, image = position.
std::vector<ServerListItem> serverListItems(const ServerList& servers);

}  // namespace veld
