// The player messages against a joined client: the list they build, the lobby they open and
// the records they keep current.
#include <gtest/gtest.h>

#include "client/lobby_harness.h"
#include "protocol/codepage.h"
#include "protocol/rank_code.h"

namespace veld {
namespace {

using testing::LobbyHarness;
using testing::PlayerWire;

PlayerWire wire(std::uint16_t uid, std::string name, std::uint8_t rankCode = 26) {
    PlayerWire w;
    w.uid = uid;
    w.name = std::move(name);
    w.rankCode = rankCode;
    return w;
}

struct PlayersTest : ::testing::Test, LobbyHarness {
    // The lobby with the own player (1d) and these others, all in one "W3".
    void enterLobby(std::vector<PlayerWire> others) {
        joinServer();
        std::string w3 = "W3" + me().record();
        for (const auto& w : others) w3 += w.record();
        receive(Link::Game, w3);
    }
};

TEST_F(PlayersTest, W2ThenW3BuildsTheLobbySortedStrongestFirst) {
    joinServer();
    PlayerWire mine = me();
    mine.playWish = '%';
    receive(Link::Game, "W2" + wire(1, "weak", 5).record() + wire(2, "pro", 40).record());
    EXPECT_TRUE(rowNames().empty());  // "W2" only collects
    receive(Link::Game, "W3" + mine.record() + wire(3, "kyu", 20).record());

    EXPECT_EQ(rowNames(), (std::vector<std::u16string>{u"pro", u"abc", u"kyu", u"weak"}));
    EXPECT_EQ(players().list().userSortDirection(), -1);
    ASSERT_NE(players().myEntry(), nullptr);
    EXPECT_EQ(players().myEntry()->uid, 7);
    EXPECT_EQ(players().list().selectedUser(), players().myEntry());
    EXPECT_EQ(port.checkedWish, "%");
    EXPECT_EQ(port.playerTotal, row(309) + u":4");
    EXPECT_TRUE(shell.commandEnabled[Command::SelfRank]);
    EXPECT_TRUE(shell.pageVisible[Page::Lobby]);
    EXPECT_TRUE(shell.pageVisible[Page::StudyRoom]);
    EXPECT_EQ(port.chatHidden, 1);
    EXPECT_NE(shell.mainCaption.find(u"--乙--abc"), std::u16string::npos) << "caption";

    // The first click on "棋力" lists the weakest first, the second the strongest.
    players().list().sortByColumn(PlayerColumn::Rank);
    EXPECT_EQ(rowNames().front(), u"weak");
    players().list().sortByColumn(PlayerColumn::Rank);
    EXPECT_EQ(rowNames().front(), u"pro");
}

TEST_F(PlayersTest, ANameOfSpacesEndsTheFrame) {
    joinServer();
    receive(Link::Game,
            "W2" + wire(1, "one", 20).record() + wire(2, "").record() + wire(3, "three").record());
    // A record cut short by the end of the frame is no player either.
    receive(Link::Game, "W3" + me().record() + wire(4, "four").record().substr(0, 20));
    EXPECT_EQ(rowNames(), (std::vector<std::u16string>{u"abc", u"one"}));
    EXPECT_EQ(players().findUserByuid(3), nullptr);
    EXPECT_EQ(players().findUserByuid(4), nullptr);
}

TEST_F(PlayersTest, W3WithoutTheOwnUidLeavesTheServer) {
    joinServer();
    const int closes = net.closes;
    receive(Link::Game, "W3" + wire(1, "other").record());
    EXPECT_EQ(players().myEntry(), nullptr);
    EXPECT_GT(net.closes, closes);
    EXPECT_FALSE(client.gameServers().onLine());
    EXPECT_TRUE(players().list().users().empty());
}

TEST_F(PlayersTest, RecordFieldsFromTheWire) {
    PlayerWire w = wire(1, "甲乙", 126);
    w.name = wideToBig5(u"甲乙");
    w.address = std::string("\x0A\x00\x00\x01", 4);
    w.pxCode = 0x3084B;
    w.wins = 1, w.losses = 2, w.promotion = 97, w.ranking = 12, w.tagNumber = 300;
    w.playStatus = 'B';
    PlayerWire nr = wire(2, "nr", 50);
    enterLobby({w, nr});
    const auto user = players().findUserByuid(1);
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->displayName, u"甲乙");
    EXPECT_EQ(user->rawName, padRight(w.name, 10));
    EXPECT_EQ(user->ipAddress, "1.0.0.10");
    EXPECT_EQ(user->rankText, "1d*");
    EXPECT_EQ(user->winRateText, "0.33");
    EXPECT_EQ(user->promotionIndex, -3);
    EXPECT_EQ(user->ranking, 12);
    EXPECT_EQ(user->tagNumber, 300);
    EXPECT_EQ(user->iconIndex, 3);
    EXPECT_EQ(user->regionText, u"台北市");
    EXPECT_EQ(user->playStatusText, u"播");
    EXPECT_EQ(user->languageName, "Chinese (zh_TW)");
    EXPECT_EQ(players().findUserByuid(2)->rankText, "NR");
}

TEST_F(PlayersTest, W1AddsANewPlayerOrRefreshesAKnownOne) {
    enterLobby({wire(1, "old")});
    shell.activePage = Page::Lobby;
    PlayerWire fresh = wire(2, "new", 30);
    fresh.ranking = 5;
    receive(Link::Game, fresh.w1());
    EXPECT_EQ(rowNames().back(), u"new");
    EXPECT_EQ(port.playerTotal, row(309) + u":3");
    EXPECT_EQ(players().findUserByuid(2)->ranking, 5);
    EXPECT_EQ(shell.status, u"12:00:00  new 5d  " + row(105));

    const auto known = players().findUserByuid(1);
    known->playStatus = "P";
    known->ranking = 8;
    PlayerWire again = wire(1, "renamed", 27);
    again.wins = 3;
    again.ranking = 99;
    receive(Link::Game, again.w1());
    EXPECT_EQ(known->name, "old");
    EXPECT_EQ(known->ranking, 8);
    EXPECT_EQ(known->rankText, "2d");
    EXPECT_EQ(known->wins, 3);
    EXPECT_EQ(known->winRateText, " 1");
    EXPECT_EQ(known->playStatus, "N");
    EXPECT_EQ(rowNames().size(), 3u);

    // Any other length is ignored.
    const std::string w1 = wire(9, "nine").w1();
    receive(Link::Game, w1.substr(0, w1.size() - 1));
    receive(Link::Game, w1 + "x");
    EXPECT_EQ(players().findUserByuid(9), nullptr);
}

TEST_F(PlayersTest, FriendMarksOnArrival) {
    players().friendNames().friendNames = {u"pal", u"both"};
    players().friendNames().blockedNames = {u"foe", u"both"};
    enterLobby({wire(1, "foe"), wire(2, "both")});
    EXPECT_EQ(players().findUserByuid(1)->friendMark, "X");
    EXPECT_EQ(players().findUserByuid(2)->friendMark, "O");
    EXPECT_TRUE(port.events.empty());  // no event for the list
    receive(Link::Game, wire(3, "pal").w1());
    EXPECT_EQ(players().findUserByuid(3)->friendMark, "O");
    ASSERT_EQ(port.events.size(), 1u);
    EXPECT_EQ(port.events[0], u"pal 1d " + row(998));
}

TEST_F(PlayersTest, WXRemovesThePlayerAndEndsAChatWithHim) {
    enterLobby({wire(1, "one"), wire(2, "two")});
    players().setChatPartner(players().findUserByuid(1));
    receive(Link::Game, "WX" + wordToBytes(1));
    EXPECT_EQ(players().findUserByuid(1), nullptr);
    EXPECT_EQ(players().chatPartner(), nullptr);
    EXPECT_TRUE(port.chatCleared);
    EXPECT_EQ(port.closedGamesOf, std::vector<std::uint16_t>{1});
    EXPECT_EQ(port.playerTotal, row(309) + u":2");
    receive(Link::Game, "WX" + wordToBytes(55));
    receive(Link::Game, "WX");
    EXPECT_EQ(rowNames().size(), 2u);
}

TEST_F(PlayersTest, VVPromotionShowsTheCertificateForTheOwnRecordOnly) {
    enterLobby({wire(1, "other", 26)});
    receive(Link::Game, "VV" + wordToBytes(7) + "\x1B");  // 1d -> 2d
    ASSERT_EQ(port.certificates.size(), 1u);
    EXPECT_EQ(port.certificates[0][0], u"abc       ");
    EXPECT_EQ(port.certificates[0][3], row(806) + u"2d");
    EXPECT_EQ(port.sounds, std::vector<std::string>{"Applaud.wav"});
    EXPECT_EQ(players().myEntry()->rankText, "2d");

    receive(Link::Game, "VV" + wordToBytes(7) + "\x1A");  // demotion
    receive(Link::Game, "VV" + wordToBytes(1) + "\x1C");  // another player
    EXPECT_EQ(port.certificates.size(), 1u);
    // Code 50 reads "31k" here, not "NR".
    receive(Link::Game, "VV" + wordToBytes(1) + "\x32");
    EXPECT_EQ(players().findUserByuid(1)->rankText, "31k");
    EXPECT_EQ(players().findUserByuid(1)->rankValue, -5);
    // Without the code byte nothing changes.
    receive(Link::Game, "VV" + wordToBytes(1));
    EXPECT_EQ(players().findUserByuid(1)->rankText, "31k");
}

TEST_F(PlayersTest, ADummyPromotedGetsNoCertificate) {
    PlayerWire mine = me();
    mine.userType = 'D';
    joinServer();
    receive(Link::Game, "W3" + mine.record());
    receive(Link::Game, "VV" + wordToBytes(7) + "\x1B");
    EXPECT_TRUE(port.certificates.empty());
}

TEST_F(PlayersTest, SelectedPlayerCommands) {
    enterLobby({wire(1, "one")});
    players().list().selectRow(-1);
    players().list().showplayerlist();
    EXPECT_FALSE(players().userSelected());
    EXPECT_EQ(warnings().back(), row(671));
    EXPECT_EQ(port.sounds.back(), "error.wav");

    players().list().selectRow(1);
    players().playerClicked();
    EXPECT_TRUE(players().userSelected());
    EXPECT_EQ(port.observeEnabled, false);
    std::string name = "unchanged";
    players().selectedusername(name);
    EXPECT_EQ(name, "unchanged");  // the lobby is not the active page
    shell.activePage = Page::Lobby;
    players().selectedusername(name);
    EXPECT_EQ(name, padRight(players().list().selectedUser()->name, 10));

    port.inputAnswer = u"someone with a long name";
    EXPECT_EQ(players().queryusername(), "someone wi");
    EXPECT_EQ(port.prompts.back(), u"Name");
    EXPECT_EQ(port.initials.back(), big5ToWide(name));
    port.inputAnswer = u"";
    EXPECT_EQ(players().queryusername(), "");
}

TEST_F(PlayersTest, LeavingEmptiesTheListAndAJoinStartsAfresh) {
    enterLobby({wire(1, "one")});
    client.gameServers().exitGoServer();
    EXPECT_TRUE(players().list().users().empty());
    EXPECT_EQ(players().findUserByuid(1), nullptr);
    EXPECT_EQ(players().list().selectedUser(), nullptr);
}

TEST_F(PlayersTest, TruncatedFramesNeverReadPastTheEnd) {
    joinServer();
    const std::string w3 = "W3" + me().record() + wire(1, "one").record();
    for (std::size_t cut = 0; cut <= w3.size(); ++cut) {
        for (const char* code : {"W1", "W2", "W3", "WX", "VV"})
            receive(Link::Game, code + w3.substr(2, cut));
    }
    EXPECT_TRUE(warnings().empty());
}

TEST_F(PlayersTest, ChoosingAnotherWillingnessTellsTheServerOnce) {
    enterLobby({});
    net.clearSent();
    players().choosePlayWish("O");  // the one it has: nothing
    players().choosePlayWish("X");
    players().choosePlayWish("X");
    EXPECT_EQ(net.sent(Link::Game), packFrame("PC3" + wordToBytes(7) + "X"));
    EXPECT_EQ(players().myEntry()->playWish, "X");
}

}  // namespace
}  // namespace veld
