#include <gtest/gtest.h>

#include <string>

#include "go/diagram.h"
#include "go/go_browser.h"
#include "go/go_browser_fixture.h"

namespace veld {
namespace {

using test::picture;
using test::windowWith;

constexpr std::string_view kFiveMoves = "(;SZ[5];B[aa];W[bb];B[cc];W[dd];B[ee])";

TEST(GoBrowserView, TheLastMoveCarriesACross) {
    auto w = windowWith(kFiveMoves);
    testing::FakeRoom room;
    test::showIn(*w, room);
    w->moveBy(3);
    EXPECT_TRUE(room.board.crossAt(3, 3));
    EXPECT_FALSE(room.board.crossAt(2, 2));
    w->step(+1);
    EXPECT_TRUE(room.board.crossAt(4, 4));
    EXPECT_FALSE(room.board.crossAt(3, 3));
    w->step(-1);
    EXPECT_TRUE(room.board.crossAt(3, 3));
    EXPECT_EQ(room.board.picture(), picture(w->board()));
    EXPECT_EQ(room.board.labels(), "");
}

TEST(GoBrowserView, TheLastMovesCarryTheirNumbers) {
    DrawingSettings three{3};
    auto w = windowWith(kFiveMoves, three);
    testing::FakeRoom room;
    test::showIn(*w, room);
    w->moveBy(5);
    EXPECT_EQ(room.board.labels(), "cc:3 dd:4 ee:5");
    w->step(-1);
    EXPECT_EQ(room.board.labels(), "bb:2 cc:3 dd:4");
    w->redrawAll();
    EXPECT_EQ(room.board.labels(), "bb:2 cc:3 dd:4");
}

TEST(GoBrowserView, NumberingStopsAtACapturedStone) {
    DrawingSettings six{6};
    // White's aa (move 3) is taken by black's ba (move 4).
    auto w = windowWith("(;SZ[5];B[cc];B[ab];W[aa];B[ba];W[ee];B[dd])", six);
    testing::FakeRoom room;
    test::showIn(*w, room);
    w->moveBy(6);
    w->redrawAll();
    // Walking back from move 6 numbers 6, 5 and 4 and stops at the captured move 3, so move 2
    // stays plain; move 1, the sixth last, is numbered as the oldest of the window of six.
    EXPECT_EQ(room.board.labels(), "ba:4 cc:1 dd:6 ee:5");
    EXPECT_EQ(room.board.picture(), picture(w->board()));
}

TEST(GoBrowserView, MoveNumberButtonAndComments) {
    auto w = windowWith("(;SZ[9];B[aa]C[first](;W[bb])(;W[cc]C[second]))");
    testing::FakeRoom room;
    w->showComments = true;
    test::showIn(*w, room);
    w->moveBy(1);
    EXPECT_EQ(room.moveNumber.caption, u"1");
    EXPECT_EQ(room.textPane.content, u"first");
    w->step(+1);
    EXPECT_EQ(room.moveNumber.caption, u"2-1");
    EXPECT_EQ(room.textPane.content, u"");
    w->switchVariation();
    EXPECT_EQ(room.moveNumber.caption, u"2-2");
    EXPECT_EQ(room.textPane.content, u"second");
}

TEST(GoBrowserView, AnEditedCommentIsSavedWhenMovingOn) {
    auto w = windowWith("(;SZ[9];B[aa];W[bb];B[cc])");
    testing::FakeRoom room;
    w->showComments = true;
    test::showIn(*w, room);
    w->moveBy(1);
    room.textPane.type(u"a fine move");
    w->moveBy(1);
    EXPECT_EQ(w->current().parent->comment, u"a fine move");
    EXPECT_EQ(w->current().comment, u"");
    room.textPane.type(u"");  // an emptied pane does not clear a comment
    w->moveBy(-1);
    EXPECT_EQ(w->current().comment, u"a fine move");
    EXPECT_EQ(room.textPane.content, u"a fine move");
    EXPECT_FALSE(room.textPane.edited);
}

TEST(GoBrowserView, AppendMessageGoesToThePaneTheChatTextAndTheComment) {
    auto w = windowWith("(;SZ[9];B[aa])");
    testing::FakeRoom room;
    w->role = Role::playing;
    test::showIn(*w, room);
    w->moveBy(1);
    w->appendMessage(kTextRed, u"> game resumed");
    ASSERT_EQ(room.textPane.lines.size(), 1u);
    EXPECT_EQ(room.textPane.lines[0].colour, kTextRed);
    EXPECT_EQ(room.chatInput.clears, 1);
    EXPECT_EQ(w->chatText, u"> game resumed\r\n");
    EXPECT_EQ(w->current().comment, u"> game resumed\r\n");

    w->isShown = false;
    w->appendMessage(kTextBlack, u"hidden");
    EXPECT_EQ(room.textPane.lines.size(), 1u);
    EXPECT_EQ(w->chatText, u"> game resumed\r\nhidden\r\n");

    // Shown again, an on-line window's pane gets the chat text without its last line end.
    w->isShown = true;
    w->redrawAll();
    EXPECT_EQ(room.textPane.content, u"> game resumed\r\nhidden");
    EXPECT_GE(room.textPane.scrolls, 1);
    EXPECT_GE(room.chatInput.focuses, 2);
}

TEST(GoBrowserView, RedrawAllRefreshesPlayersAndClocks) {
    auto w = windowWith("(;SZ[9]PB[Ann]BR[2d]PW[Bob]WR[1d])");
    testing::FakeRoom room;
    testing::FakeClock clock;
    w->clock = &clock;
    w->blackIcon = 73;
    w->whiteIcon = 74;
    w->role = Role::playing;
    w->phase = Phase::playing;
    test::showIn(*w, room);
    EXPECT_EQ(room.players.black, (PlayerRow{u"Ann", u"2d", 73}));
    EXPECT_EQ(room.players.white, (PlayerRow{u"Bob", u"1d", 74}));
    EXPECT_EQ(clock.refreshes, 1);
    w->phase = Phase::markingDead;
    w->redrawAll();
    EXPECT_EQ(clock.refreshes, 1);
}

TEST(GoBrowserView, MarkupIsShownOnItsNodeOnly) {
    auto w = windowWith("(;SZ[5];B[aa]LB[bb:A][cc:B];W[dd])");
    testing::FakeRoom room;
    test::showIn(*w, room);
    w->moveBy(1);
    EXPECT_EQ(room.board.labels(), "bb:A cc:B");
    w->step(+1);
    EXPECT_EQ(room.board.labels(), "");
    w->step(-1);
    EXPECT_EQ(room.board.labels(), "bb:A cc:B");
    w->deleteAt(2, 2);
    EXPECT_EQ(room.board.labels(), "cc:B");
}

TEST(GoBrowserView, AWindowNotShownDrawsNothing) {
    auto w = windowWith(kFiveMoves);
    testing::FakeRoom room;
    w->views = room.views();
    w->showComments = true;
    w->moveBy(999);
    w->moveBy(-2);
    w->redrawAll();
    w->countScore();
    w->saveCommentEdit();
    EXPECT_EQ(room.board.setups + room.board.stoneDraws + room.board.labelDraws, 0);
    EXPECT_EQ(room.moveNumber.caption, u"(never set)");
    EXPECT_EQ(room.textPane.clears + room.players.refreshes, 0);
    // Shown, it draws the position it has reached.
    test::showIn(*w, room);
    EXPECT_EQ(room.board.picture(), picture(w->board()));
    EXPECT_EQ(room.moveNumber.caption, u"3");
}

}  // namespace
}  // namespace veld
