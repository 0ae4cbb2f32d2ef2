#include "client/client.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "protocol/wire.h"

namespace veld {
namespace {

using namespace std::string_literals;
using testing::FakeDialogs;
using testing::FakeNet;
using testing::FakeShell;
using Kind = FakeDialogs::Kind;

std::string frameOf(std::string_view text) {
    return packFrame(text);
}

struct ClientTest : ::testing::Test {
    FakeNet net;
    FakeDialogs dialogs;
    FakeShell shell;
    Client client{net, dialogs, shell};
};

TEST_F(ClientTest, SendToServerIsDroppedSilentlyWhileDisconnected) {
    client.sendToServer("PGA");
    EXPECT_FALSE(client.sendMsg("PGA", Link::Game));
    EXPECT_TRUE(net.sent(Link::Game).empty());
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ClientTest, SendPrimitivesFrameTheirText) {
    net.setConnected(Link::Game, true);
    client.sendToServer("PGA");
    client.ptop(0x0102, 0x0304, "P6hello");
    client.ptoa(0x0506, "WEtext");
    EXPECT_EQ(net.sent(Link::Game),
              frameOf("PGA") + frameOf("PP\1\2\3\4P6hello"s) + frameOf("BB\5\6WEtext"s));
}

TEST_F(ClientTest, TooLongTextIsRefusedWithAWarningAndNothingSent) {
    net.setConnected(Link::Game, true);
    EXPECT_FALSE(client.sendMsg(std::string(65534, 'x'), Link::Game));
    EXPECT_TRUE(net.sent(Link::Game).empty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, Kind::Warning);
    EXPECT_TRUE(client.sendMsg(std::string(65533, 'x'), Link::Game));
    EXPECT_EQ(net.sent(Link::Game).size(), 65535u);

    client.sendToCom(std::string(70000, 'x'));  // not even a connection is started for it
    EXPECT_TRUE(net.opened.empty());
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST_F(ClientTest, SendToComConnectsOnDemandAndOnlyTheLastMessageWaits) {
    client.setCommunityHost("community.test");
    client.sendToCom("QFQ");
    client.sendToCom("QXQ");  // replaces the waiting message
    ASSERT_EQ(net.opened.size(), 2u);
    EXPECT_EQ(net.opened[1].link, Link::Community);
    EXPECT_EQ(net.opened[1].host, "community.test");
    EXPECT_EQ(net.opened[1].port, Client::kCommunityPort);
    EXPECT_TRUE(net.sent(Link::Community).empty());

    net.setConnected(Link::Community, true);
    client.onConnected(Link::Community);
    EXPECT_EQ(net.sent(Link::Community), frameOf("QXQ"));
    client.onConnected(Link::Community);  // the waiting message goes out once
    client.sendToCom("US");               // connected now: sent at once
    EXPECT_EQ(net.sent(Link::Community), frameOf("QXQ") + frameOf("US"));
}

TEST_F(ClientTest, SystemNotices) {
    // "SB": hex-unit text; an odd last byte is dropped.
    client.onData(Link::Game, frameOf("SB\x4E\x2D\x00\x41\x7A"s));
    // "T4": maintenance warning.
    client.onData(Link::Game, frameOf("T4"));
    // "QQ": accepted, no effect.
    client.onData(Link::Game, frameOf("QQanything"));
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].kind, Kind::Information);
    EXPECT_EQ(dialogs.boxes[0].text, u"\u4E2DA");
    EXPECT_EQ(dialogs.boxes[1].kind, Kind::Warning);
    EXPECT_EQ(dialogs.boxes[1].text, u"維修中!暫停止讀取");
    EXPECT_EQ(shell.terminations, 0);

    // "YB": the notice, then the application ends after the box is closed.
    dialogs.whileOpen = [&](const FakeDialogs::Box&) { EXPECT_EQ(shell.terminations, 0); };
    client.onData(Link::Community, frameOf("YB\0B"s));
    EXPECT_EQ(dialogs.boxes.back().text, u"B");
    EXPECT_EQ(shell.terminations, 1);
}

TEST_F(ClientTest, ActivityReportsReplaceTheActivityPage) {
    client.onData(Link::Game, frameOf("AAfirst"));
    client.onData(Link::Game, frameOf("CC\xA4\xA4\xA4\xE5"s));  // "中文" in code page 950
    EXPECT_EQ(shell.shownPages, (std::vector<Page>{Page::OnLineActivity, Page::OnLineActivity}));
    EXPECT_EQ(shell.activityLog, std::vector<std::u16string>{u"中文"});
}

TEST_F(ClientTest, FramesArrivingWhileABoxIsOpenWaitForTheHandler) {
    std::vector<std::string> handled;
    client.dispatcher().add("ZA", [&](std::string_view f, Link l) {
        handled.push_back(std::string(f.substr(4)) + (l == Link::Game ? "G" : "C"));
    });
    bool delivered = false;
    dialogs.whileOpen = [&](const FakeDialogs::Box&) {
        if (delivered) return;
        delivered = true;
        // Same connection: only appended while its loop waits in the box.
        client.onData(Link::Game, frameOf("ZA1") + frameOf("ZA2").substr(0, 3));
        EXPECT_TRUE(handled.empty());
        // The other connection has its own loop and runs at once.
        client.onData(Link::Community, frameOf("ZAx"));
        EXPECT_EQ(handled, std::vector<std::string>{"xC"});
        client.onData(Link::Game, frameOf("ZA2").substr(3));
    };
    client.onData(Link::Game, frameOf("SB"));
    EXPECT_EQ(handled, (std::vector<std::string>{"xC", "1G", "2G"}));
}

TEST_F(ClientTest, BrokenFramingClosesOnlyThatLink) {
    std::vector<Link> lost;
    client.addDisconnectListener([&](Link l) { lost.push_back(l); });
    net.setConnected(Link::Game, true);
    net.setConnected(Link::Community, true);
    client.onData(Link::Game, "\xFF\xFE junk"s);
    EXPECT_FALSE(net.isConnected(Link::Game));
    EXPECT_TRUE(net.isConnected(Link::Community));
    EXPECT_EQ(lost, std::vector<Link>{Link::Game});
}

TEST_F(ClientTest, AHandlerThatReplacesTheContextFinishesTheOldBuffer) {
    std::vector<std::string> handled;
    client.dispatcher().add("ZB", [&](std::string_view f, Link) {
        handled.emplace_back(f.substr(4));
        if (handled.size() == 1) client.newContext(Link::Game, "UG");
    });
    client.onData(Link::Game, frameOf("ZB1") + frameOf("ZB2") + "\0"s);
    EXPECT_EQ(handled, (std::vector<std::string>{"1", "2"}));
    // The new context starts empty: the stray byte of the old one is not carried over.
    EXPECT_TRUE(client.context(Link::Game)->recvBuffer().empty());
    EXPECT_EQ(client.context(Link::Game)->pendingText, "UG");
}

}  // namespace
}  // namespace veld
