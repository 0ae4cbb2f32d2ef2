// Players against the real server: logging in, joining the game server and seeing each other,
// leaving, and each refusal or loss of the server with the client's reaction to it.
#include "e2e/e2e_harness.h"
#include "protocol/codepage.h"
#include "protocol/wire.h"

namespace veld::e2e {
namespace {

using namespace std::string_literals;

struct Session : EndToEnd {
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startServer()); }
};

TEST_F(Session, TwoPlayersJoinSeeEachOtherLeaveAndComeBack) {
    Player alice(loop_, communityPort()), bob(loop_, communityPort());
    ASSERT_NO_FATAL_FAILURE(joinAs(alice, u"alice", u"secret"));
    const std::uint16_t aliceUid = alice.client.myRecord().uid;
    EXPECT_EQ(alice.playerList(),
              (std::vector<std::pair<std::uint16_t, std::string>>{{aliceUid, "alice"}}));
    // The login asked for both name lists; a new account has empty ones.
    ASSERT_TRUE(waitFor([&] { return !alice.framesWith(Link::Community, "QF").empty(); }));
    EXPECT_EQ(alice.framesWith(Link::Community, "QX"), std::vector{packFrame("QX")});
    EXPECT_EQ(alice.framesWith(Link::Community, "QF"), std::vector{packFrame("QF")});
    EXPECT_EQ(alice.settings.values["username"], "alice");

    ASSERT_NO_FATAL_FAILURE(joinAs(bob, u"bob", u"secret"));
    const std::uint16_t bobUid = bob.client.myRecord().uid;
    EXPECT_NE(bobUid, aliceUid);
    EXPECT_EQ(bob.playerList(), (std::vector<std::pair<std::uint16_t, std::string>>{
                                    {aliceUid, "alice"}, {bobUid, "bob"}}));
    ASSERT_TRUE(waitFor([&] { return alice.sawArrival(bobUid, "bob"); }));

    // Leaving the game server is not the server going away: bob stays logged in.
    bob.client.gameServers().exitGoServer();
    ASSERT_TRUE(waitFor([&] { return alice.sawLeaving(bobUid); }));
    EXPECT_FALSE(bob.ended());
    EXPECT_TRUE(bob.net.isConnected(Link::Community));

    // The server let go of him: he is taken back, under a new uid.
    bob.client.gameServers().serverClicked(0);
    ASSERT_TRUE(waitFor([&] { return bob.onLine(); }));
    const std::uint16_t bobAgain = bob.client.myRecord().uid;
    ASSERT_TRUE(waitFor([&] { return alice.sawArrival(bobAgain, "bob"); }));

    EXPECT_TRUE(alice.onLine());
    EXPECT_TRUE(alice.warnings().empty());
    EXPECT_TRUE(bob.warnings().empty());
    EXPECT_FALSE(alice.ended());
}

TEST_F(Session, RefusedPasswordShowsTheLoginDialogAgain) {
    struct Case {
        const char* what;
        std::u16string name, refusedPassword;
    };
    // "2": the password of an existing account is wrong. "3": a new account's password is one
    // byte once its blank padding is gone, too short for the server.
    const Case cases[] = {
        {"wrong password", u"carol", u"wrong"},
        {"password the server cannot take", u"dave", u"a "},
    };
    {
        Player owner(loop_, communityPort());
        owner.logIn(u"carol", u"secret");
        ASSERT_TRUE(waitFor([&] { return owner.loggedIn(); }));
        owner.client.gameServers().exitVeldnet();
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Player player(loop_, communityPort());
        player.answerLogin(c.name, c.refusedPassword);
        player.logIn(c.name, u"secret");
        ASSERT_TRUE(waitFor([&] { return player.loggedIn(); }));
        EXPECT_EQ(player.dialogs.loginShown.size(), 2u);
        EXPECT_EQ(player.warnings(), std::vector{row(526)});
        EXPECT_FALSE(player.ended());
    }
}

TEST_F(Session, NameAlreadyLoggedInEndsTheSecondClient) {
    Player alice(loop_, communityPort()), intruder(loop_, communityPort());
    alice.logIn(u"alice", u"secret");
    ASSERT_TRUE(waitFor([&] { return alice.loggedIn(); }));

    intruder.logIn(u"alice", u"secret");
    ASSERT_TRUE(waitFor([&] { return intruder.ended(); }));
    EXPECT_EQ(intruder.warnings(), std::vector{row(832)});
    EXPECT_FALSE(intruder.loggedIn());
    EXPECT_EQ(intruder.dialogs.loginShown.size(), 1u);

    // The first login is untouched: its link still answers.
    alice.client.sendToCom("QFQ");
    ASSERT_TRUE(waitFor([&] { return alice.framesWith(Link::Community, "QF").size() == 2; }));
    EXPECT_TRUE(alice.warnings().empty());
}

TEST_F(Session, AccountOnLineOnTheServerAlreadyEndsTheSecondClient) {
    Player alice(loop_, communityPort()), second(loop_, communityPort());
    ASSERT_NO_FATAL_FAILURE(joinAs(alice, u"alice", u"secret"));
    // Her community link ends while she plays on: the account may log in again, but it is on
    // line on the game server still.
    alice.net.close(Link::Community);

    second.logIn(u"alice", u"secret");
    ASSERT_TRUE(waitFor([&] { return second.loggedIn(); }));
    second.client.gameServers().serverClicked(0);
    ASSERT_TRUE(waitFor([&] { return second.ended(); }));
    EXPECT_EQ(second.warnings(), std::vector{row(841)});
    EXPECT_FALSE(second.onLine());
    // The community server left: the list emptied and hidden, its link closed.
    EXPECT_FALSE(second.shell.serverListVisible);
    EXPECT_FALSE(second.net.isConnected(Link::Community));

    // A message to herself through the server comes after anything the refused join made
    // the server send her: no arrival was announced.
    const std::uint16_t aliceUid = alice.client.myRecord().uid;
    alice.client.ptop(aliceUid, aliceUid, "ZZ");
    ASSERT_TRUE(waitFor([&] { return !alice.framesWith(Link::Game, "PP").empty(); }));
    EXPECT_TRUE(alice.framesWith(Link::Game, "W1").empty());
    EXPECT_TRUE(alice.onLine());
}

TEST_F(Session, ServerGoingAwayEndsTheSessionWithItsName) {
    struct Case {
        const char* what;
        int signal;
        int exitStatus;
    };
    const Case cases[] = {
        {"stopped", SIGTERM, 0},
        {"killed", SIGKILL, 128 + SIGKILL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!serverRunning()) {
            ASSERT_NO_FATAL_FAILURE(startServer());
        }
        Player player(loop_, communityPort());
        ASSERT_NO_FATAL_FAILURE(joinAs(player, u"erin", u"secret"));

        EXPECT_EQ(stopServer(c.signal), c.exitStatus);
        ASSERT_TRUE(waitFor([&] { return player.ended(); }));
        EXPECT_EQ(player.warnings(), std::vector{std::u16string(kServerName) + row(926)});
        EXPECT_EQ(player.shell.terminations, 1);
    }
}

}  // namespace
}  // namespace veld::e2e
