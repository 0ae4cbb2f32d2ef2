#include "client/friends.h"

#include <algorithm>

#include "client/client.h"
#include "protocol/frame_fields.h"
#include "protocol/wire.h"

namespace veld {

namespace {

constexpr int kAsksToBeFriendRow = 996;
constexpr int kMadeYouFriendRow = 997;
constexpr int kDeclinedFriendRow = 578;

bool contains(const std::vector<std::u16string>& names, const std::u16string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Removes every copy of the name; true when there was one.
bool removeName(std::vector<std::u16string>& names, const std::u16string& name) {
    return std::erase(names, name) > 0;
}

}  // namespace

std::vector<std::u16string> splitNameLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(u"\r\n");
        const std::u16string_view line = text.substr(0, end);
        if (!line.empty()) lines.emplace_back(line);
        if (end == std::u16string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    return lines;
}

std::u16string joinNameLines(const std::vector<std::u16string>& names) {
    std::u16string text;
    for (const auto& name : names) {
        if (!text.empty()) text += u"\r\n";
        text += name;
    }
    return text;
}

Friends::Friends(Client& client, Net& net, Dialogs& dialogs, const TextTable& texts,
                 OwnRecord& myRecord)
    : client_(client), net_(net), dialogs_(dialogs), texts_(texts), myRecord_(myRecord) {}

void Friends::registerHandlers(Dispatcher& dispatcher) {
    dispatcher.add("QF", [this](std::string_view frame, Link link) { processQF(frame, link); });
    dispatcher.add("QX", [this](std::string_view frame, Link link) { processQX(frame, link); });
    client_.addDisconnectListener([this](Link link) {
        if (link == Link::Community) friendsLoaded_ = blockedLoaded_ = false;
    });
}

void Friends::processQF(std::string_view frame, Link link) {
    if (link != Link::Community) return;
    client_.players().friendNames().friendNames = splitNameLines(unitsToWide(frameRest(frame, 5)));
    friendsLoaded_ = true;
}

void Friends::processQX(std::string_view frame, Link link) {
    if (link != Link::Community) return;
    client_.players().friendNames().blockedNames = splitNameLines(unitsToWide(frameRest(frame, 5)));
    blockedLoaded_ = true;
}

bool Friends::isMe(const UserRef& user) const {
    return user == client_.players().myEntry() || user->uid == myRecord_.uid;
}

void Friends::refreshRow(const UserRef& user) {
    Players& players = client_.players();
    if (players.findUserByuid(user->uid) == user) players.list().updateuser(user);
}

void Friends::setfriend(const UserRef& user) {
    if (!user || isMe(user)) return;
    FriendNames& names = client_.players().friendNames();
    removeName(names.blockedNames, user->displayName);
    if (!contains(names.friendNames, user->displayName))
        names.friendNames.push_back(user->displayName);
    user->friendMark = std::string(1, 'O');
    refreshRow(user);
    listsChanged_ = true;
}

void Friends::setbadfriend(const UserRef& user) {
    if (!user || isMe(user)) return;
    FriendNames& names = client_.players().friendNames();
    removeName(names.friendNames, user->displayName);
    if (!contains(names.blockedNames, user->displayName))
        names.blockedNames.push_back(user->displayName);
    // Also when the name was on both lists and the player arrived marked as a friend.
    if (user->friendMark != "X") {
        user->friendMark = std::string(1, 'X');
        refreshRow(user);
    }
    listsChanged_ = true;
}

void Friends::addFriendCommand() {
    Players& players = client_.players();
    if (players.userSelected()) setfriend(players.list().selectedUser());
}

void Friends::blockCommand() {
    Players& players = client_.players();
    if (players.userSelected()) setbadfriend(players.list().selectedUser());
}

void Friends::removeFriendCommand() {
    Players& players = client_.players();
    if (!players.userSelected()) return;
    const UserRef user = players.list().selectedUser();
    if (isMe(user) || user->friendMark != "O") return;
    // The mark goes even when the name is missing from the list (a list loaded after the
    // mark was shown): otherwise nothing could ever clear it.
    removeName(players.friendNames().friendNames, user->displayName);
    user->friendMark.clear();
    refreshRow(user);
    listsChanged_ = true;
}

void Friends::unblockCommand() {
    Players& players = client_.players();
    if (!players.userSelected()) return;
    const UserRef user = players.list().selectedUser();
    if (removeName(players.friendNames().blockedNames, user->displayName)) listsChanged_ = true;
    if (user->friendMark != "O") {
        user->friendMark.clear();
        refreshRow(user);
        listsChanged_ = true;
    }
}

void Friends::inviteFriendCommand() {
    Players& players = client_.players();
    if (!players.userSelected()) return;
    const UserRef user = players.list().selectedUser();
    const UserRef& me = players.myEntry();
    if (myRecord_.isTemporaryAccount() || isMe(user) || user->userType == "D" ||
        (me && me->userType == "D"))
        return;
    client_.ptop(user->uid, myRecord_.uid, "FF");
}

void Friends::processFF(const UserRef& sender) {
    if (!sender || isMe(sender) || sender->friendMark == "X") return;
    const bool yes = dialogs_.confirm(sender->displayName + texts_.uiText(kAsksToBeFriendRow));
    Players& players = client_.players();
    // The box is modal: the game link may have been lost meanwhile, taking the player list
    // with it. The user's Yes still makes him a friend, but there is no row to show and nobody
    // to answer.
    const bool stillHere = players.findUserByuid(sender->uid) == sender;
    if (yes) {
        setfriend(sender);
        if (!stillHere) return;
        players.locateuser(sender);
        client_.ptop(sender->uid, myRecord_.uid,
                     "FM" + wideToUnits(texts_.uiText(kMadeYouFriendRow)));
    } else if (stillHere) {
        client_.ptop(sender->uid, myRecord_.uid,
                     "FM" + wideToUnits(texts_.uiText(kDeclinedFriendRow)));
    }
}

void Friends::saveLists() {
    if (!listsChanged_ || myRecord_.isTemporaryAccount()) return;
    if (!friendsLoaded_ || !blockedLoaded_ || !net_.isConnected(Link::Community)) return;
    const FriendNames& names = client_.players().friendNames();
    client_.sendToCom("QFS" + wideToUnits(joinNameLines(names.friendNames)));
    client_.sendToCom("QXS" + wideToUnits(joinNameLines(names.blockedNames)));
    listsChanged_ = false;
}

}  // namespace veld
