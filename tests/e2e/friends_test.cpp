// Friend lists against the real server: a friend request answered across two clients, and the
// lists kept by the community server from one login to the next.
#include <algorithm>

#include "client/app_lifecycle.h"
#include "e2e/e2e_harness.h"
#include "protocol/codepage.h"
#include "protocol/wire.h"

namespace veld::e2e {
namespace {

struct Friends : EndToEnd {
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startServer()); }

    // Selects the player's row in the lobby's list, as a click would.
    static bool select(Player& player, std::string_view name) {
        const UserRef user = player.client.players().findUserByName(name);
        return user && player.client.players().list().locateuser(user);
    }
    bool listsArrived(Player& player) {
        return waitFor([&] {
            return !player.framesWith(Link::Community, "QF").empty() &&
                   !player.framesWith(Link::Community, "QX").empty();
        });
    }
};

TEST_F(Friends, ARequestIsAnsweredAndTheListsOutliveTheSession) {
    Player alice(loop_, communityPort()), bob(loop_, communityPort()),
        carol(loop_, communityPort());
    ASSERT_NO_FATAL_FAILURE(joinAs(alice, u"alice", u"secret"));
    ASSERT_NO_FATAL_FAILURE(joinAs(bob, u"bob", u"secret"));
    ASSERT_NO_FATAL_FAILURE(joinAs(carol, u"carol", u"secret"));
    ASSERT_TRUE(listsArrived(alice));
    ASSERT_TRUE(waitFor([&] {
        return alice.client.players().findUserByName("bob") &&
               alice.client.players().findUserByName("carol");
    }));

    // Alice asks bob to be her friend; bob says yes (the confirmation box's default here).
    ASSERT_TRUE(select(alice, "bob"));
    alice.client.friends().inviteFriendCommand();
    const auto informed = [](Player& p) {
        return std::ranges::any_of(p.dialogs.boxes, [](const testing::FakeDialogs::Box& box) {
            return box.kind == testing::FakeDialogs::Kind::Information;
        });
    };
    ASSERT_TRUE(waitFor([&] { return informed(alice); }));
    EXPECT_EQ(alice.dialogs.boxes.back().text, u"bob" + row(997));
    EXPECT_EQ(bob.dialogs.boxes.back().text, u"alice" + row(996));
    EXPECT_EQ(bob.client.players().friendNames().friendNames,
              std::vector<std::u16string>{u"alice"});
    // Her own lists change only by her own hand: bob becomes a friend, carol is blocked.
    alice.client.friends().addFriendCommand();
    ASSERT_TRUE(select(alice, "carol"));
    alice.client.friends().blockCommand();
    EXPECT_EQ(alice.client.players().findUserByName("carol")->friendMark, "X");

    // Closing saves the lists before it leaves both servers.
    AppLifecycle window(alice.client, alice.dialogs, alice.shell);
    ASSERT_TRUE(window.formCloseQuery());

    // The lists arrive with the login, before the lobby is entered.
    Player again(loop_, communityPort());
    again.logIn(u"alice", u"secret");
    ASSERT_TRUE(waitFor([&] { return again.loggedIn(); }));
    ASSERT_TRUE(listsArrived(again));
    again.client.gameServers().serverClicked(0);
    ASSERT_TRUE(waitFor([&] {
        return again.onLine() && again.client.players().findUserByName("carol") != nullptr;
    }));
    EXPECT_EQ(again.client.players().friendNames().friendNames,
              std::vector<std::u16string>{u"bob"});
    EXPECT_EQ(again.client.players().friendNames().blockedNames,
              std::vector<std::u16string>{u"carol"});
    // The marks follow in the player list of the new session.
    EXPECT_EQ(again.client.players().findUserByName("bob")->friendMark, "O");
    EXPECT_EQ(again.client.players().findUserByName("carol")->friendMark, "X");
}

TEST_F(Friends, APeerMessageInAnotherPlayersNameIsNotDelivered) {
    Player alice(loop_, communityPort()), bob(loop_, communityPort()),
        carol(loop_, communityPort());
    ASSERT_NO_FATAL_FAILURE(joinAs(alice, u"alice", u"secret"));
    ASSERT_NO_FATAL_FAILURE(joinAs(bob, u"bob", u"secret"));
    ASSERT_NO_FATAL_FAILURE(joinAs(carol, u"carol", u"secret"));
    const std::uint16_t aliceUid = alice.client.myRecord().uid;
    const std::uint16_t bobUid = bob.client.myRecord().uid;
    const std::uint16_t carolUid = carol.client.myRecord().uid;
    ASSERT_TRUE(waitFor([&] { return bob.client.players().findUserByuid(carolUid) != nullptr; }));

    // Alice speaks to bob in carol's name, then in her own: only her own message arrives.
    alice.client.ptop(bobUid, carolUid, "FM" + wideToUnits(u"forged"));
    alice.client.ptop(bobUid, aliceUid, "FM" + wideToUnits(u"genuine"));
    ASSERT_TRUE(waitFor([&] { return !bob.framesWith(Link::Game, "PP").empty(); }));
    const std::vector<std::string> delivered = bob.framesWith(Link::Game, "PP");
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(bytesToWord(std::string_view(delivered[0]).substr(6, 2)), aliceUid);
    EXPECT_EQ(bob.dialogs.boxes.back().text, u"alice" + std::u16string(u"genuine"));
    EXPECT_TRUE(alice.onLine());
}

}  // namespace
}  // namespace veld::e2e
