// The game-server side of connecting: the server list ("CM"), the server notice ("IX"), joining
// a server from the list and its reply ("OK"), leaving it, and the game link's error and
// disconnect events.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "client/own_record.h"
#include "client/server_list.h"
#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class Client;

class GameServers {
  public:
    GameServers(Client& client, Net& net, Dialogs& dialogs, Shell& shell, const TextTable& texts,
                OwnRecord& myRecord);
    GameServers(const GameServers&) = delete;
    GameServers& operator=(const GameServers&) = delete;

    // "CM", "IX" and "OK".
    void registerHandlers(Dispatcher& dispatcher);

    // A click on item `index` of the server list view. The server already joined (or being
    // joined) only brings the lobby to the front; another one is joined, leaving the current
    // one first. Indexes outside the list are ignored.
    void serverClicked(std::size_t index);

    // Leaves the game server: hides what exists only on line and closes the game link. The
    // application goes on.
    void exitGoServer();
    // Leaves the game server and the community server; the server list is emptied and hidden.
    void exitVeldnet();

    // Game link events.
    void goclientsocketError();
    void goclientsocketDisconnect();

    bool onLine() const { return onLine_; }
    // The server joined or being joined; null otherwise.
    const std::shared_ptr<Tcom>& currentServer() const { return currentServer_; }
    const std::u16string& currentServerName() const { return currentServerName_; }
    const ServerList& servers() const { return servers_; }

  private:
    void processCM(std::string_view frame);
    void processIX(std::string_view frame);
    void processOK(std::string_view frame);
    void joined(std::string_view frame);
    void join(const std::shared_ptr<Tcom>& entry);
    void warn(std::u16string_view text);

    Client& client_;
    Net& net_;
    Dialogs& dialogs_;
    Shell& shell_;
    const TextTable& texts_;
    OwnRecord& myRecord_;

    ServerList servers_;
    // Set from the click on a server until its join fails or it is left; onLine_ only between
    // an accepted join and leaving.
    std::shared_ptr<Tcom> currentServer_;
    std::u16string currentServerName_;
    bool onLine_ = false;
};

}  // namespace veld
