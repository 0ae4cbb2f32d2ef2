// Three players in the lobby of the real server: each lists the other two with the ranks the
// store holds, whether he learned of them from the list at his join or from their arrival
// later, and each gets the game list after the player list.
#include "e2e/e2e_harness.h"
#include "protocol/codepage.h"
#include "protocol/frame.h"

namespace veld::e2e {
namespace {

// The store is set up through the server's own start-up option: an account is registered by
// its first login on one run, and given a rank when the server starts again.
class Lobby : public EndToEnd {
  protected:
    void startWith(std::vector<std::string> extra) {
        std::vector<std::string> arguments = {
            "--data", data_.path().string(), "--community-port",     "0", "--game-ports",
            "0",      "--server-name",       wideToUtf8(kServerName)};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        std::string error;
        ASSERT_TRUE(server_.start(VELD_SERVER_PROGRAM, arguments, 1, kWait, error)) << error;
    }
    std::uint16_t port() const { return server_.communityPort(); }

    headless::TemporaryFolder data_;
    headless::ServerProcess server_;
};

TEST_F(Lobby, EveryPlayerListsTheOthersWithTheirStoredRanksAndGetsTheGameList) {
    ASSERT_NO_FATAL_FAILURE(startWith({}));
    {
        Player carol(loop_, port());
        carol.logIn(u"carol", u"secret");
        ASSERT_TRUE(waitFor([&] { return carol.loggedIn(); }));
    }
    ASSERT_EQ(server_.stop(SIGTERM, kWait), 0);
    // Rank code 28 is "3d"; the others keep a new account's rank, listed "NR".
    ASSERT_NO_FATAL_FAILURE(startWith({"--rank", "carol=28"}));

    Player alice(loop_, port()), bob(loop_, port()), carol(loop_, port());
    ASSERT_NO_FATAL_FAILURE(joinAs(alice, u"alice", u"secret"));
    ASSERT_NO_FATAL_FAILURE(joinAs(bob, u"bob", u"secret"));
    ASSERT_NO_FATAL_FAILURE(joinAs(carol, u"carol", u"secret"));

    struct Expected {
        Player* player;
        std::string name;
        std::string rank;
    };
    const std::vector<Expected> everyone{
        {&alice, "alice", "NR"}, {&bob, "bob", "NR"}, {&carol, "carol", "3d"}};
    for (const Expected& viewer : everyone) {
        SCOPED_TRACE("as seen by " + viewer.name);
        for (const Expected& other : everyone) {
            const std::uint16_t uid = other.player->client.myRecord().uid;
            // Alice and bob learn of the later players from their arrival.
            ASSERT_TRUE(waitFor([&] {
                return viewer.player->client.players().findUserByuid(uid) != nullptr;
            })) << other.name;
            const auto user = viewer.player->client.players().findUserByuid(uid);
            EXPECT_EQ(user->name, other.name);
            EXPECT_EQ(user->rankText, other.rank) << other.name;
        }
        EXPECT_EQ(viewer.player->framesWith(Link::Game, "G2"), std::vector{packFrame("G2")});
        EXPECT_TRUE(viewer.player->client.games().list().rows().empty());
        EXPECT_TRUE(viewer.player->warnings().empty());
    }
}

}  // namespace
}  // namespace veld::e2e
