// The players of the joined game server: the player messages ("W1", "W2", "W3", "WX", "VV"),
// the lobby's player list and the commands that act on the selected player.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "client/own_record.h"
#include "lobby/lobby_ports.h"
#include "lobby/player_list.h"
#include "lobby/user_fields.h"
#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class Client;

class Players {
  public:
    Players(Client& client, Dialogs& dialogs, Shell& shell, const TextTable& texts,
            OwnRecord& myRecord);
    Players(const Players&) = delete;
    Players& operator=(const Players&) = delete;

    // The desktop's lobby port. Until one is attached, the lists are kept and the effects that
    // only the port can show are skipped.
    void setPort(LobbyPort* port) { port_ = port; }

    // "W1", "W2", "W3", "WX" and "VV".
    void registerHandlers(Dispatcher& dispatcher);

    // A game server was joined: the list starts afresh.
    void joinedServer();
    // The game server was left: the records go, the rows stay until the next rebuild.
    void leftServer();

    PlayerList& list() { return list_; }
    const PlayerList& list() const { return list_; }
    UserRef findUserByuid(std::uint16_t uid) const { return list_.findUserByuid(uid); }
    UserRef findUserByName(std::string_view text) const { return list_.findUserByName(text); }
    // The own record inside the list, found when "W3" arrives.
    const UserRef& myEntry() const { return myEntry_; }
    // The friend and blocked names, filled by the friend lists.
    FriendNames& friendNames() { return friendNames_; }
    // The player of the open private chat; null when none.
    const UserRef& chatPartner() const { return chatPartner_; }
    void setChatPartner(UserRef user) { chatPartner_ = std::move(user); }
    // Answers whether a player is in a running game (enables "觀戰" on a click); none: never.
    void setGameOfPlayer(std::function<bool(const std::string& rawName)> lookup) {
        gameOfPlayer_ = std::move(lookup);
    }

    // --- the player list ---
    // A click (or the right button going down) on the list: selectedUser follows the selected
    // row and "觀戰" is enabled when that player is in a game.
    void playerClicked();
    // A key press in the list: key search, then the click behaviour on the row found.
    void playerKeyPressed(char16_t key);
    // Selects the player's row and runs the click behaviour; nothing for null.
    void locateuser(const UserRef& user);
    // "線上人數:" + the number of rows.
    void showTotalPlayer();

    // --- the selected player ---
    // True with a selected player who has not ended; otherwise "error.wav" and row 671.
    bool userSelected();
    // With the lobby active and a selected player, out = his rawName; otherwise out stays.
    void selectedusername(std::string& out) const;
    // Asks for a name ("Name", prefilled with the selected player's); a confirmed non-empty
    // text, cut or padded to 10 bytes. Empty when cancelled or empty.
    std::string queryusername();

    // An item of the menu "對局意願" chosen: a marker other than the own record's becomes its
    // willingness and the game server is told ("PC3"). Nothing without an own record.
    void choosePlayWish(std::string_view marker);

    // The rank certificate: name, congratulation, prefix + rank, the community head's line.
    void rankingpopup(std::string_view rawName, std::string_view rankText,
                      std::u16string_view prefix);

  private:
    void processW1(std::string_view frame);
    // Appends the complete records of a "W2"/"W3" frame up to one whose name is all spaces.
    void readPlayerRecords(std::string_view frame);
    void processW3(std::string_view frame);
    void processWX(std::string_view frame);
    void processVV(std::string_view frame);

    Client& client_;
    Dialogs& dialogs_;
    Shell& shell_;
    const TextTable& texts_;
    OwnRecord& myRecord_;
    LobbyPort* port_ = nullptr;

    PlayerList list_;
    UserRef myEntry_;
    UserRef chatPartner_;
    FriendNames friendNames_;
    std::function<bool(const std::string&)> gameOfPlayer_;
};

}  // namespace veld
