// Peer messages against a joined client: which frames reach a handler, the sub-codes handled
// here, and routes added by other components.
#include <gtest/gtest.h>

#include <stdexcept>

#include "client/lobby_harness.h"

namespace veld {
namespace {

using testing::FakeDialogs;
using testing::LobbyHarness;
using testing::PlayerWire;

constexpr std::uint16_t kMe = 7;
constexpr std::uint16_t kKim = 3;

struct PeerMessagesTest : ::testing::Test, LobbyHarness {
    PeerMessagesTest() {
        client.peerMessages().setPort(&port);
        joinServer();
        PlayerWire kim;
        kim.uid = kKim;
        kim.name = "kim";
        receive(Link::Game, "W3" + me().record() + kim.record());
        net.clearSent();
        dialogs.boxes.clear();
    }

    static std::string pp(std::uint16_t to, std::uint16_t from, std::string_view rest) {
        return "PP" + wordToBytes(to) + wordToBytes(from) + std::string(rest);
    }
    // A message from Kim to the local user.
    void fromKim(std::string_view rest) { receive(Link::Game, pp(kMe, kKim, rest)); }
    std::string sentToKim(std::string_view rest) { return packFrame(pp(kKim, kMe, rest)); }

    bool nothingHappened() const {
        return dialogs.boxes.empty() && net.sent(Link::Game).empty() && port.sounds.empty();
    }
};

TEST_F(PeerMessagesTest, FramesThatReachNoHandler) {
    const std::string version = "P6";
    const std::pair<const char*, std::string> cases[] = {
        {"unknown sender", pp(kMe, 99, version)},
        {"unknown addressee", pp(99, kKim, version)},
        {"unknown sub-code", pp(kMe, kKim, "ZZ")},
        {"owned by a component not built", pp(kMe, kKim, "C1")},
        {"half a sub-code", pp(kMe, kKim, "P")},
        {"no sub-code", pp(kMe, kKim, "")},
        {"no sender", "PP" + wordToBytes(kMe) + "\x00"},
        {"code only", "PP"},
    };
    for (const auto& [name, frame] : cases) {
        receive(Link::Game, frame);
        EXPECT_TRUE(nothingHappened()) << name;
    }
}

TEST_F(PeerMessagesTest, NoticeIsShownAfterTheSendersName) {
    fromKim("FM" + wideToUnits(u"已將您設為好友"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, FakeDialogs::Kind::Information);
    EXPECT_EQ(dialogs.boxes[0].text, u"kim已將您設為好友");
    EXPECT_TRUE(players().friendNames().friendNames.empty()) << "the answer changes no list";
}

TEST_F(PeerMessagesTest, VersionQueryAndAnswer) {
    fromKim("P6");
    EXPECT_EQ(net.sent(Link::Game), sentToKim("P7" + wordToBytes(31702)));

    fromKim("P7" + wordToBytes(31702));
    fromKim("P7\x01");  // a cut number shows nothing
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, FakeDialogs::Kind::Message);
    EXPECT_EQ(dialogs.boxes[0].text, u"Version = 31702");
}

TEST_F(PeerMessagesTest, P8IsAnsweredOnceAndAnAnswerNever) {
    fromKim("P8");
    const std::string answer = "P8" + wordToBytes(31702);
    EXPECT_EQ(net.sent(Link::Game), sentToKim(answer));
    net.clearSent();
    // Kim's client answers our answer as it answers anything: the exchange stops here.
    fromKim(answer);
    EXPECT_TRUE(nothingHappened());
}

TEST_F(PeerMessagesTest, UserWarningIsShownThreeTimes) {
    int open = 0;
    dialogs.whileOpen = [&](const FakeDialogs::Box&) { ++open; };
    fromKim("SW" + wideToUnits(u"警告"));
    EXPECT_EQ(warnings(), (std::vector<std::u16string>(3, u"警告")));
    EXPECT_EQ(open, 3);
}

TEST_F(PeerMessagesTest, OnlyPlainSoundNamesArePlayed) {
    fromKim("VS17");
    fromKim("VSApplaud");
    EXPECT_EQ(port.sounds, (std::vector<std::string>{"17.wav", "Applaud.wav"}));
    port.sounds.clear();
    const std::vector<std::string> refused = {"..\\..\\secret",
                                              "../x",
                                              "a/b",
                                              "c:x",
                                              "..",
                                              "x.exe",
                                              "",
                                              " 17",
                                              "17\r",
                                              std::string("1\0", 2),
                                              std::string(65, 'a')};
    for (const std::string& body : refused) {
        fromKim("VS" + body);
        EXPECT_TRUE(port.sounds.empty()) << body;
    }
    EXPECT_TRUE(isPlainSoundName(std::string(64, 'a')));
}

TEST_F(PeerMessagesTest, OtherComponentsRouteTheirSubCodes) {
    std::vector<std::string> seen;
    client.peerMessages().route("GF", [&](const PeerMessage& m) {
        seen.push_back(std::to_string(m.addressee->uid) + " " + std::to_string(m.sender->uid) +
                       " " + std::string(m.subCode) + " " + std::string(m.body));
    });
    EXPECT_TRUE(client.peerMessages().routes("GF"));
    fromKim("GFterms");
    fromKim("GF");
    EXPECT_EQ(seen, (std::vector<std::string>{"7 3 GF terms", "7 3 GF "}));

    EXPECT_THROW(client.peerMessages().route("GF", {}), std::logic_error);
    EXPECT_THROW(client.peerMessages().route("FF", {}), std::logic_error);
    EXPECT_THROW(client.peerMessages().route("G", {}), std::logic_error);
}

}  // namespace
}  // namespace veld
