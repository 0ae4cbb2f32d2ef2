// The messages clients send each other through the game server ("PP"): the frame, the router
// from a two-character sub-code to the component that owns it, and the sub-codes that belong to
// no other component (version query "P6"/"P7", "P8", the warning "SW", the notice "FM", the
// sound "VS"). Friend requests ("FF") go to Friends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "client/own_record.h"
#include "lobby/lobby_ports.h"
#include "lobby/user.h"
#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class Client;

// One received peer message whose addressee and sender are both on the player list.
struct PeerMessage {
    UserRef addressee;
    UserRef sender;
    std::string_view subCode;
    // Everything after the sub-code; valid only during the handler's call.
    std::string_view body;
};

class PeerMessages {
  public:
    using Handler = std::function<void(const PeerMessage& message)>;

    // The version this client reports to "P6" and "P8".
    static constexpr std::uint16_t kVersion = 31702;

    PeerMessages(Client& client, Dialogs& dialogs, OwnRecord& myRecord);
    PeerMessages(const PeerMessages&) = delete;
    PeerMessages& operator=(const PeerMessages&) = delete;

    // Sounds go through the lobby port; until one is attached "VS" plays nothing.
    void setPort(LobbyPort* port) { port_ = port; }

    // "PP", and the routes of the sub-codes handled here.
    void registerHandlers(Dispatcher& dispatcher);

    // Gives a sub-code to the component that owns it. Each sub-code has one owner: routing one
    // twice, or a code that is not two characters, is a programming error (std::logic_error).
    void route(std::string_view subCode, Handler handler);
    bool routes(std::string_view subCode) const;

    // The frame: 5-6 addressee uid, 7-8 sender uid, 9-10 sub-code, 11.. body. Dropped when it
    // is too short to hold a sub-code, when the addressee or the sender is not on the player
    // list, or when no component owns the sub-code.
    void processPP(std::string_view frame);

  private:
    void processFM(const PeerMessage& m);
    void processP6(const PeerMessage& m);
    void processP7(const PeerMessage& m);
    void processP8(const PeerMessage& m);
    void processSW(const PeerMessage& m);
    void processVS(const PeerMessage& m);

    Client& client_;
    Dialogs& dialogs_;
    OwnRecord& myRecord_;
    LobbyPort* port_ = nullptr;
    std::unordered_map<std::uint16_t, Handler> routes_;
};

// Whether a peer may name this sound: a plain file name of the sound folder without its
// ".wav" (letters, digits, '_' and '-', at most 64 bytes). Anything that could leave the folder
// (separators, "..", a drive) or name another kind of file is refused.
bool isPlainSoundName(std::string_view name);

}  // namespace veld
