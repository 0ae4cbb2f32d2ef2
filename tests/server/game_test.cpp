// A game server: joins bound to community logins, the player list, and the relays.
#include <gtest/gtest.h>

#include "harness.h"
#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::server::testing {
namespace {

const std::string kZeroAddress(4, '\0');
const std::string kLoopbackAddress("\x01\x00\x00\x7F", 4);

// The 35-byte record of a new account (defaults) with this uid and address.
std::string defaultRecord(std::uint16_t uid, std::string_view name, const std::string& address) {
    return wordToBytes(uid) + address + padRight(name, 10) + "\x32" + "N" + "O" + "N" +
           longToBytes(0) + wordToBytes(0) + wordToBytes(0) + "\x64" + wordToBytes(1028) +
           wordToBytes(0) + wordToBytes(0);
}

std::vector<std::string> framesWith(const Player& p, std::string_view code) {
    std::vector<std::string> out;
    for (const auto& f : p.joinFrames)
        if (f.substr(2, 2) == code) out.push_back(f);
    return out;
}

TEST(GameJoin, AnswersWithUidPrivilegeAndMailBoxThenNoticeAndOwnRecord) {
    TestServer server(1, [](ServerConfig& c) { c.game.notice = "welcome"; });
    const Player p = enter(server, "alice");
    const auto account = *server.storage().findAccount("alice");
    ASSERT_EQ(p.joinFrames.size(), 3u);
    EXPECT_EQ(p.joinFrames[0], packFrame("OK0" + wordToBytes(p.uid) + wordToBytes(9) +
                                         std::string(4, '\0') + longToBytes(account.homeTopicId)));
    EXPECT_GE(account.homeTopicId, 2u);
    EXPECT_EQ(p.joinFrames[1], packFrame("IXwelcome"));
    EXPECT_EQ(p.joinFrames[2], packFrame("W3" + defaultRecord(p.uid, "alice", kZeroAddress)));
}

TEST(GameJoin, NeedsALiveCommunityLogin) {
    TestServer server;
    TestClient stranger(server.gamePort());
    stranger.send(joinMessage("alice"));
    EXPECT_EQ(stranger.next(), packFrame("OK3" + std::string(12, '\0'))) << "nobody logged in";

    auto community = std::make_unique<TestClient>(server.communityPort());
    ASSERT_EQ(login(*community, "alice", "secret"), packFrame("PX0A"));
    community.reset();
    // Once the login has ended (the server learns of it on its own time) joins are refused.
    const std::string refused = packFrame("OK3" + std::string(12, '\0'));
    std::optional<std::string> answer;
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    do {
        TestClient late(server.gamePort());
        late.send(joinMessage("alice"));
        answer = late.next();
    } while (answer != refused && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(answer, refused);
}

TEST(GameJoin, RefusesAnAddressOtherThanTheLogins) {
    TestServer server;
    TestClient community(server.communityPort());
    ASSERT_EQ(login(community, "alice", "secret"), packFrame("PX0A"));
    TestClient elsewhere(server.gamePort(), "127.0.0.2");
    elsewhere.send(joinMessage("alice"));
    EXPECT_EQ(elsewhere.next(), packFrame("OK3" + std::string(12, '\0')));
}

TEST(GameJoin, SecondJoinOfTheSameAccountIsRefusedAsInUse) {
    TestServer server;
    const Player p = enter(server, "alice");
    TestClient second(server.gamePort());
    second.send(joinMessage("alice"));
    EXPECT_EQ(second.next(), packFrame("OK5" + std::string(12, '\0')));
}

TEST(PlayerList, IsSplitAcrossW2AndW3AndOthersGetW1) {
    TestServer server(1, [](ServerConfig& c) { c.game.playersPerMessage = 2; });
    Player a = enter(server, "alice");
    Player b = enter(server, "bob");
    Player c = enter(server, "carol");

    const auto w2 = framesWith(c, "W2");
    const auto w3 = framesWith(c, "W3");
    ASSERT_EQ(w2.size(), 1u);
    ASSERT_EQ(w3.size(), 1u);
    EXPECT_EQ(w2[0], packFrame("W2" + defaultRecord(a.uid, "alice", kZeroAddress) +
                               defaultRecord(b.uid, "bob", kZeroAddress)));
    EXPECT_EQ(w3[0], packFrame("W3" + defaultRecord(c.uid, "carol", kZeroAddress)));

    const std::string w1 =
        packFrame("W1" + wordToBytes(c.uid) + kZeroAddress + padRight("carol", 10) + "\x32" + "N" +
                  longToBytes(0) + "O" + wordToBytes(0) + wordToBytes(0) + "\x64" +
                  wordToBytes(1028) + wordToBytes(0) + wordToBytes(0));
    EXPECT_EQ(w1.size(), 38u);
    ASSERT_TRUE(a.game->nextWith("W1"));  // bob's
    EXPECT_EQ(a.game->nextWith("W1"), w1);
    EXPECT_EQ(b.game->nextWith("W1"), w1);
}

TEST(PlayerList, ShowsAddressesToModeratorsOnly) {
    TestServer server;
    {
        TestClient c(server.communityPort());
        ASSERT_EQ(login(c, "mod", "secret"), packFrame("PX0A"));
    }
    auto account = *server.storage().findAccount("mod");
    account.privilege = 10;
    ASSERT_TRUE(server.storage().updateAccount(account));

    Player moderator = enter(server, "mod");
    Player member = enter(server, "alice");
    EXPECT_EQ(framesWith(moderator, "W3").at(0),
              packFrame("W3" + defaultRecord(moderator.uid, "mod", kLoopbackAddress)));
    const auto w1 = moderator.game->nextWith("W1");
    ASSERT_TRUE(w1);
    EXPECT_EQ(w1->substr(6, 4), kLoopbackAddress);
    const auto memberList = framesWith(member, "W3").at(0);
    EXPECT_EQ(memberList.substr(4 + 2, 4), kZeroAddress) << "the moderator's address is hidden";
}

TEST(PlayerList, LeavingAndDroppedPlayersAreAnnouncedWithWX) {
    TestServer server;
    Player a = enter(server, "alice");
    Player b = enter(server, "bob");
    Player c = enter(server, "carol");
    ASSERT_TRUE(a.game->nextWith("W1"));

    b.game->close();  // leaves
    EXPECT_EQ(a.game->nextWith("WX"), packFrame("WX" + wordToBytes(b.uid)));
    c.game->send("PP");  // too short: the server drops carol
    EXPECT_EQ(a.game->nextWith("WX"), packFrame("WX" + wordToBytes(c.uid)));
}

TEST(PeerRelay, DeliversUnchangedAndOnlyInTheSendersOwnName) {
    TestServer server;
    Player a = enter(server, "alice");
    Player b = enter(server, "bob");
    Player c = enter(server, "carol");
    const auto ua = wordToBytes(a.uid), ub = wordToBytes(b.uid), uc = wordToBytes(c.uid);

    a.game->send("PP" + ub + uc + "FM" + "forged");         // in carol's name: dropped
    a.game->send("PP" + wordToBytes(999) + ua + "FMlost");  // nobody: dropped
    a.game->send("PP" + ub + ua + "VSchimes");              // never relayed
    a.game->send("PP" + ub + ua + "SWwarning");             // administrators only
    a.game->send("PP" + ub + ua + "FM" + wideToUnits(u"你好"));
    EXPECT_EQ(b.game->nextWith("PP"), packFrame("PP" + ub + ua + "FM" + wideToUnits(u"你好")));
}

TEST(Broadcast, ReachesEveryClientFromModeratorsSpeakingForThemselves) {
    TestServer server;
    {
        TestClient c(server.communityPort());
        ASSERT_EQ(login(c, "mod", "secret"), packFrame("PX0A"));
    }
    auto account = *server.storage().findAccount("mod");
    account.privilege = 10;
    ASSERT_TRUE(server.storage().updateAccount(account));
    Player mod = enter(server, "mod");
    Player a = enter(server, "alice");
    const auto um = wordToBytes(mod.uid), ua = wordToBytes(a.uid);

    a.game->send("BB" + ua + "XB" + wideToUnits(u"spam"));  // not a moderator
    mod.game->send("BB" + ua + "XB" + wideToUnits(u"forged"));
    const std::string real = "BB" + um + "XB" + wideToUnits(u"公告");
    mod.game->send(real);
    EXPECT_EQ(a.game->nextWith("BB"), packFrame(real));
    EXPECT_EQ(mod.game->nextWith("BB"), packFrame(real));
}

}  // namespace
}  // namespace veld::server::testing
