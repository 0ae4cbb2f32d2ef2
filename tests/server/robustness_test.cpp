// Hostile or broken clients cost only their own connection; a client that stops reading is cut
// off before its queue grows without bound.
#include <gtest/gtest.h>

#include "harness.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::server::testing {
namespace {

struct BadInput {
    const char* what;
    bool game;  // sent to the game server (else the community server)
    std::string bytes;
};

std::string floodOf(std::string_view message, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += packFrame(message);
    return out;
}

TEST(Robustness, MalformedFramesCloseOnlyTheirConnection) {
    TestServer server;
    Player bystander = enter(server, "alice");
    const auto me = wordToBytes(bystander.uid);

    const std::vector<BadInput> cases{
        {"length beyond the frame limit", false, std::string("\xFF\xFE", 2) + "UG"},
        {"length beyond the frame limit", true, std::string("\xFF\xFF", 2) + "UG"},
        {"frame too short for a code", false, std::string("\x00\x01", 2) + "U"},
        {"login too short for its layout", false, packFrame("UG" + wordToBytes(31702) + "bob")},
        {"join too short for its layout", true, packFrame("UGbob")},
        {"unknown code before login", false, packFrame("ZZ")},
        {"unknown code before join", true, packFrame("BB")},
        {"frames piling up behind a login", false,
         packFrame(loginMessage("bob", "secret")) + floodOf("QXQ", 100)},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.what);
        TestClient hostile(c.game ? server.gamePort() : server.communityPort());
        hostile.sendBytes(c.bytes);
        EXPECT_TRUE(hostile.waitClosed());
    }
    // A joined player who sends faster than the frame rate allows.
    Player flooder = enter(server, "dave");
    flooder.game->sendBytes(
        floodOf("PP" + wordToBytes(999) + wordToBytes(flooder.uid) + "FM", 400));
    EXPECT_TRUE(flooder.game->waitClosed());

    // The bystander still talks to both servers.
    bystander.game->send("PP" + me + me + "FMhello");
    EXPECT_EQ(bystander.game->nextWith("PP"), packFrame("PP" + me + me + "FMhello"));
    bystander.community->send("QXQ");
    EXPECT_EQ(bystander.community->nextWith("QX"), packFrame("QX"));
    TestClient newcomer(server.communityPort());
    EXPECT_EQ(login(newcomer, "carol", "secret"), packFrame("PX0A"));
}

TEST(Robustness, ConnectionsPerAddressAreLimited) {
    TestServer server(1, [](ServerConfig& c) { c.transport.maxConnectionsPerAddress = 2; });
    TestClient first(server.communityPort()), second(server.communityPort());
    TestClient third(server.communityPort());
    EXPECT_TRUE(third.waitClosed());
    TestClient otherAddress(server.communityPort(), "127.0.0.2");
    EXPECT_EQ(login(otherAddress, "alice", "secret"), packFrame("PX0A"));
    EXPECT_EQ(login(first, "bob", "secret"), packFrame("PX0A"));
}

TEST(Robustness, ASlowReaderIsCutOff) {
    TestServer server(1, [](ServerConfig& c) {
        c.transport.writeQueueLimit = 100 * 1024;
        c.transport.socketSendBuffer = 8 * 1024;
    });
    Player sender = enter(server, "alice");
    Player sleeper;
    sleeper.community = std::make_unique<TestClient>(server.communityPort());
    ASSERT_EQ(login(*sleeper.community, "bob", "secret"), packFrame("PX0A"));
    sleeper.game = std::make_unique<TestClient>(server.gamePort(), "127.0.0.1", 4096);
    sleeper.game->send(joinMessage("bob"));
    const auto ok = sleeper.game->nextWith("OK");
    ASSERT_TRUE(ok);
    const auto uid = wordToBytes(bytesToWord(ok->substr(5, 2)));
    // From here on bob reads nothing.

    const std::string bulk = "PP" + uid + wordToBytes(sender.uid) + "FM" + std::string(60000, 'x');
    // About 1.2 MB for bob: far beyond his queue limit and the socket buffers.
    for (int i = 0; i < 20; ++i) sender.game->send(bulk);
    EXPECT_EQ(sender.game->nextWith("WX"), packFrame("WX" + uid)) << "bob was cut off";
    // The sender was not.
    const auto me = wordToBytes(sender.uid);
    sender.game->send("PP" + me + me + "FMstill");
    EXPECT_EQ(sender.game->nextWith("PP"), packFrame("PP" + me + me + "FMstill"));
}

}  // namespace
}  // namespace veld::server::testing
