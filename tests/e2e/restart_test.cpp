// What a player stored survives the server's crash: killed mid-session and started again on
// the same data folder, it still knows the account (and its password) and the name lists.
#include "e2e/e2e_harness.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::e2e {
namespace {

TEST_F(EndToEnd, AccountAndNameListsSurviveAKilledServer) {
    const std::string friends = wideToUnits(u"alice\r\n圍棋");
    const std::string blocked = wideToUnits(u"mallory");
    ASSERT_NO_FATAL_FAILURE(startServer());
    {
        Player frank(loop_, communityPort());
        ASSERT_NO_FATAL_FAILURE(joinAs(frank, u"frank", u"secret"));
        frank.client.sendToCom("QFS" + friends);
        frank.client.sendToCom("QXS" + blocked);
        // The stores have no reply; the answer to a later request shows they were made.
        frank.client.sendToCom("QFQ");
        ASSERT_TRUE(waitFor([&] { return frank.framesWith(Link::Community, "QF").size() == 2; }));
        ASSERT_EQ(frank.framesWith(Link::Community, "QF")[1], packFrame("QF" + friends));

        EXPECT_EQ(stopServer(SIGKILL), 128 + SIGKILL);
        ASSERT_TRUE(waitFor([&] { return frank.ended(); }));
    }

    ASSERT_NO_FATAL_FAILURE(startServer());
    Player frank(loop_, communityPort());
    // Were the account lost, the wrong password would register it anew.
    frank.answerLogin(u"frank", u"wrong");
    frank.logIn(u"frank", u"secret");
    ASSERT_TRUE(waitFor([&] { return frank.loggedIn(); }));
    EXPECT_EQ(frank.dialogs.loginShown.size(), 2u);
    EXPECT_EQ(frank.warnings(), std::vector{row(526)});

    ASSERT_TRUE(waitFor([&] { return !frank.framesWith(Link::Community, "QF").empty(); }));
    EXPECT_EQ(frank.framesWith(Link::Community, "QX"), std::vector{packFrame("QX" + blocked)});
    EXPECT_EQ(frank.framesWith(Link::Community, "QF"), std::vector{packFrame("QF" + friends)});

    frank.client.gameServers().serverClicked(0);
    ASSERT_TRUE(waitFor([&] { return frank.onLine(); }));
}

}  // namespace
}  // namespace veld::e2e
