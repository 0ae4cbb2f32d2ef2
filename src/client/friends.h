// The friend and blocked lists: loading them from the community server ("QF", "QX"), the list
// operations behind the player-list popup, the friend request between two players (peer "FF"),
// and storing the lists back when the main window closes ("QFS", "QXS").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "client/own_record.h"
#include "lobby/user.h"
#include "protocol/dispatcher.h"
#include "protocol/ports.h"
#include "protocol/text_table.h"

namespace veld {

class Client;

class Friends {
  public:
    Friends(Client& client, Net& net, Dialogs& dialogs, const TextTable& texts,
            OwnRecord& myRecord);
    Friends(const Friends&) = delete;
    Friends& operator=(const Friends&) = delete;

    // "QF" and "QX"; also follows the community link going down.
    void registerHandlers(Dispatcher& dispatcher);

    // The reply to "QFQ" / "QXQ" on the community link: hex-unit wide text, one display name a
    // line (CR LF). Replaces the friend / blocked list; the marks already shown in the player
    // list stay as they are (they follow the lists again as players arrive). Frames on the game
    // link are not lists and are ignored.
    void processQF(std::string_view frame, Link link);
    void processQX(std::string_view frame, Link link);

    // The player becomes a friend: off the blocked list, on the friend list, marked "O".
    // Nothing for null or for the own record.
    void setfriend(const UserRef& user);
    // The player becomes blocked: off the friend list, on the blocked list, marked "X".
    // Nothing for null or for the own record.
    void setbadfriend(const UserRef& user);

    // --- the player-list popup; each needs a valid selection (userSelected) ---
    // "加入好友": setfriend of the selected player.
    void addFriendCommand();
    // "去除好友": a selected friend (mark "O") leaves the friend list and loses his mark;
    // anyone else is left alone.
    void removeFriendCommand();
    // "拒絕往來": setbadfriend of the selected player.
    void blockCommand();
    // "恢復往來": the selected player leaves the blocked list; a friend keeps his mark.
    void unblockCommand();
    // "邀友": sends the friend request "FF" to the selected player; nothing from a temporary
    // account, to or from a dummy user, or to oneself.
    void inviteFriendCommand();

    // A friend request arrived from `sender` (a known player). Ignored from a blocked sender or
    // from oneself. Otherwise the user is asked; Yes makes the sender a friend, selects his row
    // and tells him so ("FM"), No tells him the request was declined.
    void processFF(const UserRef& sender);

    // True after any change of either list since login that has not been stored yet.
    bool listsChanged() const { return listsChanged_; }

    // Stores both lists on the community server ("QFS" then "QXS") when they changed, unless
    // the account is temporary. Called by the main window's close handler before it asks
    // whether to close, and also when the user then cancels.
    //
    // Contract: the community server accepts "QFS"/"QXS" only on a logged-in connection and
    // closes any other that sends them. So the lists go out only while the community connection
    // they were loaded on is still up: call this before the community server is left
    // (exitVeldnet). Once that connection went down, or when the lists were never loaded
    // (storing them would overwrite the stored ones with an empty list), nothing is sent and
    // listsChanged stays set; a new community connection is never opened for them (it would not
    // be logged in).
    void saveLists();

  private:
    bool isMe(const UserRef& user) const;
    // Refreshes the player's row only while he is on the player list (a lost game link empties
    // the list while a box is open; its stale rows are not to be touched).
    void refreshRow(const UserRef& user);

    Client& client_;
    Net& net_;
    Dialogs& dialogs_;
    const TextTable& texts_;
    OwnRecord& myRecord_;

    bool listsChanged_ = false;
    // Each list arrived on the community connection that is up now.
    bool friendsLoaded_ = false;
    bool blockedLoaded_ = false;
};

// The lines of a hex-unit wide text separated by CR LF; empty lines are dropped.
std::vector<std::u16string> splitNameLines(std::u16string_view text);
// The names joined with CR LF (no line break after the last).
std::u16string joinNameLines(const std::vector<std::u16string>& names);

}  // namespace veld
