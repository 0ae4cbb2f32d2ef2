// The games of the joined game server: the game-list messages ("G1", "G2", "GM", "GK"), their
// effect on the two players' records, the lobby's game list and its game total.
#pragma once

#include <cstdint>
#include <string_view>

#include "lobby/game_list.h"
#include "lobby/lobby_ports.h"
#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class Client;

class Games {
  public:
    Games(Client& client, Shell& shell, const TextTable& texts);
    Games(const Games&) = delete;
    Games& operator=(const Games&) = delete;

    // The desktop's lobby port. Until one is attached, the list is kept and the effects that only
    // the port can show (the game total, the time in the status line, the title box) are skipped.
    void setPort(LobbyPort* port) { port_ = port; }

    // "G1", "G2", "GM" and "GK".
    void registerHandlers(Dispatcher& dispatcher);

    // A game server was joined: the list starts afresh, without rows.
    void joinedServer() { list_.reset(); }
    // The game server was left: the records go, the rows stay until the next rebuild.
    void leftServer() { list_.clearGames(); }

    GameList& list() { return list_; }
    const GameList& list() const { return list_; }
    GameRef findGameByGID(std::uint16_t gid) const { return list_.findGameByGID(gid); }
    GameRef findGameByName(std::string_view rawName) const { return list_.findGameByName(rawName); }

    // One game record (the 10-byte form; 9 bytes lack the observer count): the game is added or
    // changed and its players' records follow it. `announce` shows the start in the status line.
    // A record naming an unknown player, or one too short to hold the terms byte, is ignored.
    void processG1(std::string_view record, bool announce);
    // Takes the game out of the list and off the view, then shows the total; nothing for null.
    void removegame(const GameRef& game);
    // Refreshes every record's row, then shows the total (direction +1).
    void showgamelist();
    // "線上棋局:" + the number of rows.
    void showTotalgame();

    // A key press in the game list: key search from the selected row itself.
    void gameKeyPressed(char16_t key) { list_.keySearch(key); }
    // "棋局留言": asks for the selected game's title and sends it ("PGM"), trimmed and cut to 30
    // UTF-16 units. Nothing without a selected game, without a port or when cancelled.
    void setGameTitle();

  private:
    void processG2(std::string_view frame);
    void processGM(std::string_view frame);
    void processGK(std::string_view frame);
    // The status line for a game that started.
    void announceGame(const Tgame& game);

    Client& client_;
    Shell& shell_;
    const TextTable& texts_;
    LobbyPort* port_ = nullptr;
    GameList list_;
};

}  // namespace veld
