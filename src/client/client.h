// The client core: owns both connections, the dispatch table and the ports. Subsystems add
// their handlers to the dispatch table; the desktop feeds socket events in and implements the
// ports.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "client/friends.h"
#include "client/game_servers.h"
#include "client/games.h"
#include "client/login.h"
#include "client/own_record.h"
#include "client/peer_messages.h"
#include "client/players.h"
#include "client/system_notices.h"
#include "protocol/dispatcher.h"
#include "protocol/frame.h"
#include "protocol/language.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

struct ServerAddress {
    std::string host;
    std::uint16_t port = 0;
};

class Client {
  public:
    // The community server listens on this port unless the settings name another ("comport").
    static constexpr std::uint16_t kCommunityPort = Login::kDefaultPort;

    Client(Net& net, Dialogs& dialogs, Shell& shell, SettingsStore& settings,
           const TextTable& texts = TextTable::builtIn());
    // With settings that last for this run only.
    Client(Net& net, Dialogs& dialogs, Shell& shell, const TextTable& texts = TextTable::builtIn());
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    Dispatcher& dispatcher() { return dispatcher_; }
    const TextTable& texts() const { return texts_; }
    Language& language() { return language_; }
    SettingsStore& settings() { return settings_; }

    // The community server: login, password change, the address being tried.
    Login& login() { return login_; }
    // The game servers: the list, joining, leaving.
    GameServers& gameServers() { return gameServers_; }
    // The own player's name, account class, and the ids the joined server gave.
    OwnRecord& myRecord() { return myRecord_; }
    // The players of the joined game server and the lobby's player list.
    Players& players() { return players_; }
    // The games of the joined game server and the lobby's game list.
    Games& games() { return games_; }
    // The friend and blocked lists, and friend requests.
    Friends& friends() { return friends_; }
    // The messages of other clients ("PP"), routed by sub-code to their owners.
    PeerMessages& peerMessages() { return peerMessages_; }

    // --- socket events, delivered by the owner of the Net port ---
    // The link is up: the context's pending message (login, join or a waiting community
    // request) goes out.
    void onConnected(Link link);
    // Bytes arrived: they are cut into frames and dispatched in order.
    void onData(Link link, std::string_view bytes);
    // Connecting failed or the connection broke (also when its host name was not found).
    void onError(Link link, NetError error);
    // The link went down (closed by the peer, or by us after unrecoverable framing).
    void onDisconnected(Link link);
    void addDisconnectListener(std::function<void(Link)> listener);

    // --- connections ---
    // Attaches a fresh context to the link, with the message to send once connected.
    // The old context is dropped (a receive loop still running on it finishes its frames).
    std::shared_ptr<ConnectionContext> newContext(Link link, std::string pendingText);
    ConnectionContext* context(Link link) const { return contexts_[index(link)].get(); }
    // The community host name tried first when the settings name none ("comhost").
    void setCommunityHost(std::string host) { login_.setDefaultHostName(std::move(host)); }
    // Opens the community connection for the given address choice (Login::connectToCom).
    void connectToCom(int choice) { login_.connectToCom(choice); }

    // --- sending ---
    // Frames and sends the text if the link is connected; false otherwise. A text longer than a
    // frame can carry is refused with a warning and nothing is sent.
    bool sendMsg(std::string_view text, Link link);
    // To the game server; dropped without a word while it is not connected.
    void sendToServer(std::string_view text);
    // To the community server, connecting on demand. Only one message can wait for the
    // connection: a second call before it is up replaces the first.
    void sendToCom(std::string_view text);
    // To one other client through the game server ("PP" + addressee + sender + body).
    void ptop(std::uint16_t addressee, std::uint16_t sender, std::string_view body);
    // To every client through the game server ("BB" + sender + body).
    void ptoa(std::uint16_t sender, std::string_view body);

    // --- sound effects ---
    // Where sound effects go (a file name of the wave folder); none until the desktop connects its
    // player, and none in a headless client.
    void setSoundSink(std::function<void(std::string_view)> sink) { soundSink_ = std::move(sink); }
    void playSound(std::string_view file) const {
        if (soundSink_) soundSink_(file);
    }

  private:
    // `settings` null: the client keeps its own for this run.
    Client(Net& net, Dialogs& dialogs, Shell& shell, SettingsStore* settings,
           const TextTable& texts);
    static std::size_t index(Link link) { return link == Link::Game ? 0 : 1; }
    bool refuseOversized(std::string_view text);

    Net& net_;
    Dialogs& dialogs_;
    std::unique_ptr<SettingsStore> ownSettings_;
    SettingsStore& settings_;
    const TextTable& texts_;
    Dispatcher dispatcher_;
    Language language_;
    std::shared_ptr<ConnectionContext> contexts_[2];
    std::vector<std::function<void(Link)>> disconnectListeners_;
    std::function<void(std::string_view)> soundSink_;
    OwnRecord myRecord_;
    SystemNotices systemNotices_;
    Login login_;
    GameServers gameServers_;
    Players players_;
    Games games_;
    Friends friends_;
    PeerMessages peerMessages_;
};

}  // namespace veld
