// The friend and blocked lists against a joined client: the lists the community server sends,
// the popup commands and the marks they show, friend requests between two players, and storing
// the lists when the window closes.
#include <gtest/gtest.h>

#include <algorithm>

#include "client/lobby_harness.h"

namespace veld {
namespace {

using testing::LobbyHarness;
using testing::PlayerWire;
using Names = std::vector<std::u16string>;

PlayerWire wire(std::uint16_t uid, std::string name) {
    PlayerWire w;
    w.uid = uid;
    w.name = std::move(name);
    return w;
}

// Counts the row refreshes a view is told of.
struct RowWatcher : ListObserver {
    void rowsReset() override {}
    void rowInserted(int) override { ++inserted; }
    void rowChanged(int row) override { changed.push_back(row); }
    void rowRemoved(int) override {}
    void selectionChanged(int) override {}
    int inserted = 0;
    std::vector<int> changed;
};

struct FriendsTest : ::testing::Test, LobbyHarness {
    Friends& friends() { return client.friends(); }
    Names& friendList() { return players().friendNames().friendNames; }
    Names& blockedList() { return players().friendNames().blockedNames; }

    // Logged in with these lists loaded, in the lobby with "pal" (1), "foe" (2), "kim" (3).
    void enterLobby(const Names& friendNames, const Names& blockedNames,
                    std::string accountClass = "A") {
        logIn(u"abc", std::move(accountClass));
        receiveLists(friendNames, blockedNames);
        receiveTwoServers();
        join(1);
        receive(Link::Game, "W3" + me().record() + wire(1, "pal").record() +
                                wire(2, "foe").record() + wire(3, "kim").record());
        players().list().setObserver(&rows);
        net.clearSent();
        dialogs.boxes.clear();
    }

    void receiveLists(const Names& friendNames, const Names& blockedNames) {
        receive(Link::Community, "QF" + wideToUnits(joinNameLines(friendNames)));
        receive(Link::Community, "QX" + wideToUnits(joinNameLines(blockedNames)));
    }

    UserRef user(std::uint16_t uid) { return players().findUserByuid(uid); }
    void select(std::uint16_t uid) { players().locateuser(user(uid)); }
    std::string peer(std::uint16_t to, std::string_view body) {
        return packFrame("PP" + wordToBytes(to) + wordToBytes(7) + std::string(body));
    }

    RowWatcher rows;
};

TEST_F(FriendsTest, ListsReplaceTheOldOnesAndLeaveTheShownMarks) {
    enterLobby({u"pal", u"圍棋"}, {u"foe"});
    EXPECT_EQ(friendList(), (Names{u"pal", u"圍棋"}));
    EXPECT_EQ(blockedList(), Names{u"foe"});
    EXPECT_EQ(user(1)->friendMark, "O");
    EXPECT_EQ(user(2)->friendMark, "X");

    // A trailing line break and empty lines name nobody.
    receive(Link::Community, "QF" + wideToUnits(u"kim\r\n\r\nlee\r\n"));
    receive(Link::Community, "QX");
    EXPECT_EQ(friendList(), (Names{u"kim", u"lee"}));
    EXPECT_TRUE(blockedList().empty());
    EXPECT_EQ(user(1)->friendMark, "O");
    EXPECT_EQ(user(2)->friendMark, "X");
    EXPECT_EQ(user(3)->friendMark, "");
    EXPECT_TRUE(rows.changed.empty());
    EXPECT_FALSE(friends().listsChanged());

    // Lists come from the community server only.
    receive(Link::Game, "QF" + wideToUnits(u"mallory"));
    EXPECT_EQ(friendList(), (Names{u"kim", u"lee"}));
}

struct ListCase {
    const char* name;
    std::string markBefore;
    Names friendsBefore, blockedBefore;
    void (Friends::*command)();
    std::string markAfter;
    Names friendsAfter, blockedAfter;
    bool changed;
};
void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

class FriendCommands : public FriendsTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(FriendCommands, OnKim) {
    const ListCase& c = GetParam();
    enterLobby(c.friendsBefore, c.blockedBefore);
    // Kim's mark as the player list shows it, whatever the lists say now.
    user(3)->friendMark = c.markBefore;
    select(3);
    (friends().*c.command)();

    EXPECT_EQ(user(3)->friendMark, c.markAfter);
    EXPECT_EQ(friendList(), c.friendsAfter);
    EXPECT_EQ(blockedList(), c.blockedAfter);
    EXPECT_EQ(friends().listsChanged(), c.changed);
    // A new mark is drawn: the row (and its image) is refreshed.
    const int row = players().list().findlistviewindex(user(3).get());
    if (c.markAfter != c.markBefore) {
        EXPECT_EQ(rows.changed, std::vector<int>{row});
    }
    EXPECT_EQ(rows.inserted, 0);
    EXPECT_TRUE(warnings().empty());
}

const Names kNone;
const Names kKim{u"kim"};
const Names kPalKim{u"pal", u"kim"};

INSTANTIATE_TEST_SUITE_P(
    Lists, FriendCommands,
    ::testing::Values(
        ListCase{"BlockedBecomesFriend",
                 "X",
                 {u"pal"},
                 kKim,
                 &Friends::addFriendCommand,
                 "O",
                 kPalKim,
                 kNone,
                 true},
        ListCase{"FriendBecomesBlocked",
                 "O",
                 kPalKim,
                 kNone,
                 &Friends::blockCommand,
                 "X",
                 {u"pal"},
                 kKim,
                 true},
        ListCase{"UnblockingAFriendKeepsTheMark", "O", kKim, kNone, &Friends::unblockCommand, "O",
                 kKim, kNone, false},
        ListCase{"UnblockingTheBlocked", "X", kNone, kKim, &Friends::unblockCommand, "", kNone,
                 kNone, true},
        ListCase{"RemovingAFriend",
                 "O",
                 kPalKim,
                 kNone,
                 &Friends::removeFriendCommand,
                 "",
                 {u"pal"},
                 kNone,
                 true},
        ListCase{"RemovingANonFriendDoesNothing",
                 "",
                 {u"pal"},
                 kNone,
                 &Friends::removeFriendCommand,
                 "",
                 {u"pal"},
                 kNone,
                 false},
        ListCase{"RemovingTheBlockedDoesNothing", "X", kNone, kKim, &Friends::removeFriendCommand,
                 "X", kNone, kKim, false},
        // On both lists he arrived as a friend: blocking must show him blocked.
        ListCase{"BlockingOneOnBothLists", "O", kKim, kKim, &Friends::blockCommand, "X", kNone,
                 kKim, true},
        // ... and unblocking him changes the blocked list, which must be stored.
        ListCase{"UnblockingOneOnBothLists", "O", kKim, kKim, &Friends::unblockCommand, "O", kKim,
                 kNone, true},
        // A list loaded after the mark was shown must not leave a mark nothing can clear.
        ListCase{"RemovingAMarkWhoseNameIsGone", "O", kNone, kNone, &Friends::removeFriendCommand,
                 "", kNone, kNone, true},
        ListCase{"AddingAFriendTwiceKeepsOneName", "O", kKim, kNone, &Friends::addFriendCommand,
                 "O", kKim, kNone, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FriendsTest, CommandsNeedASelectedPlayerOtherThanOneself) {
    joinServer();
    friends().addFriendCommand();
    EXPECT_EQ(warnings(), std::vector{row(671)});
    EXPECT_EQ(port.sounds, std::vector<std::string>{"error.wav"});

    receive(Link::Game, "W3" + me().record() + wire(3, "kim").record());
    net.clearSent();
    ASSERT_EQ(players().list().selectedUser(), players().myEntry());
    for (auto command :
         {&Friends::addFriendCommand, &Friends::blockCommand, &Friends::inviteFriendCommand}) {
        (friends().*command)();
    }
    EXPECT_EQ(players().myEntry()->friendMark, "");
    EXPECT_TRUE(friendList().empty());
    EXPECT_TRUE(blockedList().empty());
    EXPECT_FALSE(friends().listsChanged());
    EXPECT_TRUE(net.sent(Link::Game).empty());
    friends().setfriend(nullptr);
    friends().setbadfriend(nullptr);
}

struct InviteCase {
    const char* name;
    std::string accountClass;
    char kimType;
    bool sent;
};
void PrintTo(const InviteCase& c, std::ostream* os) {
    *os << c.name;
}

class FriendInvitation : public FriendsTest, public ::testing::WithParamInterface<InviteCase> {};

TEST_P(FriendInvitation, ToKim) {
    const InviteCase& c = GetParam();
    logIn(u"abc", c.accountClass);
    receiveTwoServers();
    join(1);
    PlayerWire kim = wire(3, "kim");
    kim.userType = c.kimType;
    receive(Link::Game, "W3" + me().record() + kim.record());
    net.clearSent();
    select(3);
    friends().inviteFriendCommand();
    EXPECT_EQ(net.sent(Link::Game), c.sent ? peer(3, "FF") : std::string());
}

INSTANTIATE_TEST_SUITE_P(Requests, FriendInvitation,
                         ::testing::Values(InviteCase{"Sent", "A", 'A', true},
                                           InviteCase{"NotFromATemporaryAccount", "Z", 'A', false},
                                           InviteCase{"NotFromAGuest", "W", 'A', false},
                                           InviteCase{"NotToADummy", "A", 'D', false}),
                         [](const auto& info) { return std::string(info.param.name); });

std::string requestFrom(std::uint16_t uid) {
    return "PP" + wordToBytes(7) + wordToBytes(uid) + "FF";
}

TEST_F(FriendsTest, AcceptingARequestMakesAFriendAndSaysSo) {
    enterLobby({}, {});
    receive(Link::Game, requestFrom(3));
    EXPECT_EQ(boxTexts(testing::FakeDialogs::Kind::Confirmation), std::vector{u"kim" + row(996)});
    EXPECT_EQ(user(3)->friendMark, "O");
    EXPECT_EQ(friendList(), kKim);
    EXPECT_TRUE(blockedList().empty());
    EXPECT_EQ(players().list().selectedUser(), user(3));
    EXPECT_EQ(net.sent(Link::Game), peer(3, "FM" + wideToUnits(row(997))));
}

TEST_F(FriendsTest, DecliningARequestChangesNothing) {
    enterLobby({}, {});
    dialogs.answers = {false};
    receive(Link::Game, requestFrom(3));
    EXPECT_EQ(row(578), u"拒絕設為好友");
    EXPECT_EQ(net.sent(Link::Game), peer(3, "FM" + wideToUnits(row(578))));
    EXPECT_EQ(user(3)->friendMark, "");
    EXPECT_TRUE(friendList().empty());
    EXPECT_FALSE(friends().listsChanged());
}

TEST_F(FriendsTest, ARequestFromABlockedPlayerOrOneselfShowsNothing) {
    enterLobby({}, {u"foe"});
    receive(Link::Game, requestFrom(2));
    receive(Link::Game, requestFrom(7));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(net.sent(Link::Game).empty());
    EXPECT_EQ(blockedList(), Names{u"foe"});
}

TEST_F(FriendsTest, TheGameServerLostWhileAskingKeepsTheAnswer) {
    enterLobby({}, {});
    dialogs.whileOpen = [&](const auto&) {
        if (!net.isConnected(Link::Game)) return;  // the warning about the lost server
        net.setConnected(Link::Game, false);
        client.onError(Link::Game, NetError::Connection);
    };
    receive(Link::Game, requestFrom(3));
    EXPECT_EQ(friendList(), kKim) << "the user said Yes";
    EXPECT_TRUE(friends().listsChanged());
    EXPECT_EQ(rows.inserted, 0);
    EXPECT_TRUE(net.sent(Link::Game).empty());
}

struct SaveCase {
    const char* name;
    std::string accountClass;
    bool change;
    bool sent;
};
void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

class SavingLists : public FriendsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SavingLists, AtClose) {
    const SaveCase& c = GetParam();
    enterLobby({u"pal", u"圍棋"}, {u"foe"}, c.accountClass);
    if (c.change) {
        select(3);
        friends().blockCommand();
    }
    friends().saveLists();
    const std::string expected = packFrame("QFS" + wideToUnits(u"pal\r\n圍棋")) +
                                 packFrame("QXS" + wideToUnits(u"foe\r\nkim"));
    EXPECT_EQ(net.sent(Link::Community), c.sent ? expected : std::string());
    if (c.sent) {
        EXPECT_FALSE(friends().listsChanged());
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, SavingLists,
                         ::testing::Values(SaveCase{"Changed", "A", true, true},
                                           SaveCase{"Unchanged", "A", false, false},
                                           SaveCase{"NeverForATemporaryAccount", "Z", true, false},
                                           SaveCase{"NeverForAGuest", "W", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FriendsTest, ListsAreStoredOnlyOverTheLoggedInConnection) {
    enterLobby({}, {});
    select(3);
    friends().addFriendCommand();
    // The server closed the community connection: a new one would not be logged in.
    net.setConnected(Link::Community, false);
    client.onDisconnected(Link::Community);
    const std::size_t opened = net.opened.size();
    friends().saveLists();
    net.setConnected(Link::Community, true);
    friends().saveLists();
    EXPECT_TRUE(net.sent(Link::Community).empty());
    EXPECT_EQ(net.opened.size(), opened);
    EXPECT_TRUE(friends().listsChanged());
}

TEST_F(FriendsTest, ListsThatNeverArrivedAreNotStored) {
    logIn(u"abc", "A");
    receive(Link::Community, "QF" + wideToUnits(u"pal"));  // no "QX"
    receiveTwoServers();
    join(1);
    receive(Link::Game, "W3" + me().record() + wire(3, "kim").record());
    net.clearSent();
    select(3);
    friends().addFriendCommand();
    friends().saveLists();
    EXPECT_TRUE(net.sent(Link::Community).empty());
}

}  // namespace
}  // namespace veld
