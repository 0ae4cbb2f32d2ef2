// The server list, joining a game server and its reply, leaving, and the game link's events.
#include <gtest/gtest.h>

#include "client/login_harness.h"

namespace veld {
namespace {

using namespace std::string_literals;
using testing::LoginHarness;

struct GameServersTest : ::testing::Test, LoginHarness {
    GameServers& servers() { return client.gameServers(); }
};

TEST_F(GameServersTest, ServerListReplacesTheEarlierOne) {
    receiveTwoServers();
    EXPECT_EQ(shell.serverItems, (std::vector<std::u16string>{u"甲", u"乙"}));
    EXPECT_TRUE(shell.serverListVisible);
    ASSERT_EQ(servers().servers().size(), 2u);
    const Tcom& second = *servers().servers()[1];
    EXPECT_EQ(second.address, "127.0.0.2");
    EXPECT_EQ(second.port, 7002);
    EXPECT_EQ(second.hexName, "4E59");
    EXPECT_EQ(second.extraData, wideToHex(u"two"));

    shell.serverListVisible = false;
    receive(Link::Community, "CM");
    EXPECT_TRUE(servers().servers().empty());
    EXPECT_TRUE(shell.serverItems.empty());
    EXPECT_TRUE(shell.serverListVisible);
}

TEST_F(GameServersTest, ARecordCutShortEndsTheListWhereverItIsCut) {
    const std::string complete = serverRecord("\x01\x00\x00\x7F"s, 7001, u"甲", u"one");
    const std::string last = serverRecord("\x02\x00\x00\x7F"s, 7002, u"乙", u"two");
    for (std::size_t cut = 1; cut < last.size(); ++cut) {
        SCOPED_TRACE(cut);
        receive(Link::Community, "CM" + complete + last.substr(0, cut));
        EXPECT_EQ(shell.serverItems, std::vector<std::u16string>{u"甲"});
    }
    // A name length that runs past the frame, followed by what would read as an empty
    // description.
    receive(Link::Community, "CM" + complete + "\x01\x00\x00\x7F\x1B\x59\x00\x08\x00\x00"s);
    EXPECT_EQ(shell.serverItems, std::vector<std::u16string>{u"甲"});
    EXPECT_TRUE(warnings().empty());
}

TEST_F(GameServersTest, ClickingAServerJoinsIt) {
    logIn(u"abc", "A");
    receiveTwoServers();
    servers().serverClicked(1);
    EXPECT_FALSE(shell.serverListEnabled);
    EXPECT_EQ(servers().currentServerName(), u"乙");
    ASSERT_EQ(net.opened.size(), 2u);
    EXPECT_EQ(net.opened[1].link, Link::Game);
    EXPECT_EQ(net.opened[1].host, "127.0.0.2");
    EXPECT_EQ(net.opened[1].port, 7002);
    EXPECT_EQ(servers().servers()[1]->joinContext.get(), client.context(Link::Game));

    net.setConnected(Link::Game, true);
    client.onConnected(Link::Game);
    EXPECT_EQ(net.sent(Link::Game), packFrame("UGabc       \x04\x04"
                                              "A"s));

    servers().serverClicked(2);  // no such item
    EXPECT_EQ(net.opened.size(), 2u);
}

TEST_F(GameServersTest, AcceptedJoin) {
    logIn();
    receiveTwoServers();
    join(0,
         "0\x01\x02\x00\x0D"
         "xxxx"
         "\x00\x00\x0A\x0B"s);
    EXPECT_TRUE(servers().onLine());
    const OwnRecord& me = client.myRecord();
    EXPECT_EQ(me.uid, 0x0102);
    EXPECT_EQ(me.privilege, 13);
    EXPECT_EQ(me.homeTopicId, 0x0A0Bu);
    EXPECT_EQ(me.playStatus, "N");
    EXPECT_TRUE(shell.serverListEnabled);
    EXPECT_FALSE(shell.commandEnabled[Command::SelfRank]);
    EXPECT_TRUE(shell.pageVisible[Page::Topics]);
    EXPECT_TRUE(shell.commandVisible[Command::LobbyMenus]);
    EXPECT_EQ(shell.pageCaptions[Page::Community], row(982));
    EXPECT_EQ(shell.webViewsOffline, false);
    EXPECT_EQ(shell.serverSelectionClears, 1);
    EXPECT_EQ(shell.maximizations, 1);
    EXPECT_EQ(sounds, std::vector<std::string>{"elearn.wav"});
    EXPECT_TRUE(warnings().empty());

    // A reply cut short reads nothing beyond the frame.
    join(1, "0\x01");
    EXPECT_TRUE(servers().onLine());
    EXPECT_EQ(client.myRecord().uid, 0);
    EXPECT_EQ(client.myRecord().homeTopicId, 0u);
}

TEST_F(GameServersTest, RefusedJoinLeavesTheListUsable) {
    for (const char* reply : {"3", "4"}) {
        SCOPED_TRACE(reply);
        LoginHarness h;
        h.logIn();
        h.receiveTwoServers();
        h.shell.status = u"connecting";
        h.join(0, reply);
        EXPECT_EQ(h.warnings(), std::vector{row(631)});
        EXPECT_FALSE(h.client.gameServers().onLine());
        EXPECT_TRUE(h.shell.serverListEnabled);
        EXPECT_TRUE(h.shell.status.empty());
        EXPECT_EQ(h.client.gameServers().servers()[0]->joinState, 3);
        EXPECT_EQ(h.shell.terminations, 0);

        // The same server may be tried again.
        h.net.clearSent();
        h.join(0);
        EXPECT_EQ(h.net.sent(Link::Game), packFrame("UGabc       \x04\x04"
                                                    "A"s));
        EXPECT_TRUE(h.client.gameServers().onLine());
    }
}

TEST_F(GameServersTest, AccountInUseLeavesBothServersAndEnds) {
    logIn();
    receiveTwoServers();
    join(0, "5");
    EXPECT_EQ(warnings(), std::vector{row(841)});
    EXPECT_EQ(servers().servers().size(), 0u);
    EXPECT_EQ(servers().currentServer()->joinState, 5);
    EXPECT_TRUE(shell.serverItems.empty());
    EXPECT_FALSE(shell.serverListVisible);
    EXPECT_EQ(shell.shownPages.back(), Page::Community);
    EXPECT_FALSE(net.isConnected(Link::Community));
    EXPECT_EQ(shell.terminations, 1);
}

TEST_F(GameServersTest, JoinRepliesWithoutAJoinAreIgnored) {
    receive(Link::Game, "OK0");
    receive(Link::Game, "OK5");
    receive(Link::Game, "IXnotice");
    EXPECT_FALSE(servers().onLine());
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(shell.terminations, 0);
}

TEST_F(GameServersTest, NoticeIsKeptWithTheCurrentServer) {
    logIn();
    receiveTwoServers();
    join(1);
    receive(Link::Game, "IX\xA4\xA4 notice"s);
    EXPECT_EQ(servers().servers()[1]->notice, "\xA4\xA4 notice"s);
    EXPECT_TRUE(servers().servers()[0]->notice.empty());
}

TEST_F(GameServersTest, ClickingTheJoinedServerAgainOnlyShowsTheLobby) {
    logIn();
    receiveTwoServers();
    join(0);
    net.clearSent();
    const std::size_t opens = net.opened.size(), closes = static_cast<std::size_t>(net.closes);
    servers().serverClicked(0);
    EXPECT_EQ(shell.shownPages.back(), Page::Lobby);
    EXPECT_TRUE(net.sent(Link::Game).empty());
    EXPECT_EQ(net.opened.size(), opens);
    EXPECT_EQ(static_cast<std::size_t>(net.closes), closes);
    EXPECT_TRUE(servers().onLine());
}

TEST_F(GameServersTest, ChoosingAnotherServerLeavesTheFirstWithoutEnding) {
    logIn();
    receiveTwoServers();
    join(0);
    shell.mainCaption = u"on line";
    net.clearSent();
    servers().serverClicked(1);

    // Left: what exists only on line is hidden, the game link closed.
    EXPECT_FALSE(servers().onLine());
    EXPECT_FALSE(shell.pageVisible[Page::Lobby]);
    EXPECT_FALSE(shell.pageVisible[Page::Topics]);
    EXPECT_FALSE(shell.pageVisible[Page::StudyRoom]);
    EXPECT_FALSE(shell.commandVisible[Command::FileMenu]);
    EXPECT_FALSE(shell.commandVisible[Command::LobbyMenus]);
    EXPECT_EQ(shell.webViewsOffline, true);
    EXPECT_EQ(shell.mainStatusClears, 1);
    EXPECT_EQ(shell.mainCaption, row(956));
    // And the second one is being joined.
    EXPECT_EQ(servers().currentServer(), servers().servers()[1]);
    EXPECT_EQ(net.opened.back().host, "127.0.0.2");
    EXPECT_FALSE(shell.serverListEnabled);
    net.setConnected(Link::Game, true);
    client.onConnected(Link::Game);
    EXPECT_EQ(net.sent(Link::Game), packFrame("UGabc       \x04\x04"
                                              "A"s));
    EXPECT_TRUE(warnings().empty());
    EXPECT_EQ(shell.terminations, 0);
}

TEST_F(GameServersTest, GameLinkLost) {
    struct Case {
        const char* what;
        bool onLine;
        bool error;  // otherwise the server closed the link
        std::u16string warning;
        bool ends;
    };
    const Case cases[] = {
        {"closed while on line", true, false, u"甲" + row(926), true},
        {"closed while joining", false, false, u"", false},
        {"error while on line", true, true, row(829), false},
        {"error while joining", false, true, row(827) + u"\r\n" + row(785), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoginHarness h;
        h.logIn();
        h.receiveTwoServers();
        if (c.onLine)
            h.join(0);
        else
            h.client.gameServers().serverClicked(0);
        h.dialogs.boxes.clear();
        h.net.setConnected(Link::Game, false);
        if (c.error)
            h.client.onError(Link::Game, NetError::Connection);
        else
            h.client.onDisconnected(Link::Game);

        EXPECT_EQ(h.warnings(),
                  c.warning.empty() ? std::vector<std::u16string>{} : std::vector{c.warning});
        EXPECT_EQ(h.shell.terminations, c.ends ? 1 : 0);
        EXPECT_TRUE(h.shell.serverListEnabled);
        EXPECT_EQ(h.client.gameServers().currentServer(), nullptr);
        EXPECT_EQ(h.shell.beeps, c.error ? 1 : 0);
        if (c.error) {
            EXPECT_FALSE(h.client.gameServers().onLine());
            EXPECT_EQ(h.shell.shownPages.back(), Page::Community);
            // The same server can be joined again.
            h.net.clearSent();
            h.join(0);
            EXPECT_TRUE(h.client.gameServers().onLine());
        }
    }
}

TEST_F(GameServersTest, LeavingBothServersEmptiesTheList) {
    logIn();
    receiveTwoServers();
    join(0);
    servers().exitVeldnet();
    EXPECT_FALSE(servers().onLine());
    EXPECT_TRUE(servers().servers().empty());
    EXPECT_FALSE(shell.serverListVisible);
    EXPECT_FALSE(shell.pageVisible[Page::WinRate]);
    EXPECT_FALSE(net.isConnected(Link::Game));
    EXPECT_FALSE(net.isConnected(Link::Community));
    EXPECT_EQ(shell.shownPages.back(), Page::Community);
    EXPECT_EQ(shell.terminations, 0);
}

}  // namespace
}  // namespace veld
