#include <gtest/gtest.h>

#include <string>

#include "go/diagram.h"
#include "go/go_browser.h"
#include "go/go_browser_fixture.h"
#include "go/sgf_tree_text.h"
#include "go/tree.h"

namespace veld {
namespace {

using test::diagram;
using test::picture;
using test::windowWith;

TEST(GoBrowserEdit, PlayMove) {
    struct Case {
        int x, y, c;
        bool played;
    };
    auto w = windowWith("(;SZ[5]AB[cc])");
    for (const Case& c : {Case{0, 0, kBlack, true},                          // a pass
                          Case{3, 0, kWhite, true},                          // a pass as well
                          Case{3, 3, kWhite, false},                         // occupied
                          Case{6, 1, kWhite, false},                         // off the board
                          Case{-1, 2, kWhite, false}, Case{2, 2, 0, false},  // no colour
                          Case{2, 2, kWhite, true}}) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const Node* before = &w->current();
        EXPECT_EQ(w->playMove(c.x, c.y, c.c), c.played);
        EXPECT_EQ(&w->current() != before, c.played);
    }
    EXPECT_EQ(test::treeText(w->root()), "(;AB[cc];B[];W[];W[bb])");
}

TEST(GoBrowserEdit, APlayedMoveKeepsItsCapturesAndIsNotSearchedAgain) {
    auto w = windowWith("(;SZ[5]AB[ba][ab]AW[aa])");
    const auto searches = w->captureSearches();
    ASSERT_TRUE(w->playMoveAt("bb", kBlack));  // no capture
    ASSERT_TRUE(w->playMoveAt("ac", kWhite));
    EXPECT_TRUE(w->current().applied);
    EXPECT_EQ(w->captureSearches() - searches, 2);
    auto* corner = windowWith("(;SZ[5]AB[ba]AW[aa])").release();
    std::unique_ptr<GoBrowser> owner(corner);
    ASSERT_TRUE(corner->playMove(1, 2, kBlack));  // takes the white corner stone
    EXPECT_EQ(test::pointList(corner->current().captures), "aa");
    EXPECT_EQ(corner->board().colourAt(1, 1), kEmpty);
    const auto afterMove = corner->captureSearches();
    corner->moveBy(-1);
    EXPECT_EQ(corner->board().colourAt(1, 1), kWhite);
    corner->moveBy(1);
    EXPECT_EQ(corner->board().colourAt(1, 1), kEmpty);
    EXPECT_EQ(corner->captureSearches(), afterMove);
}

std::string fortyMoves() {
    std::string sgf = "(;SZ[19]";
    for (int i = 0; i < 40; ++i) {
        sgf += i % 2 == 0 ? ";B[" : ";W[";
        sgf += static_cast<char>('a' + i % 19);
        sgf += static_cast<char>('a' + i / 19 * 2 + i % 2);
        sgf += ']';
    }
    return sgf + ")";
}

TEST(GoBrowserEdit, AReceivedMoveWhileLookingBackGoesToTheEndOfTheLine) {
    auto w = windowWith(fortyMoves());
    w->moveBy(10);
    const std::string atTen = picture(w->board());
    const Node* ten = &w->current();
    EXPECT_TRUE(w->receiveMove("ss", kBlack));
    EXPECT_EQ(&w->current(), ten);
    EXPECT_EQ(picture(w->board()), atTen);
    EXPECT_EQ(mainLineLength(w->root()), 41);
    w->moveBy(999);
    EXPECT_EQ(moveNumber(w->current()), 41);
    EXPECT_EQ(w->board().colourAt(19, 19), kBlack);
    EXPECT_FALSE(w->receiveMove("zz", kWhite)) << "off the board";
    EXPECT_TRUE(w->receiveMove("rs", kWhite)) << "at the end: played at once";
    EXPECT_EQ(w->board().colourAt(18, 19), kWhite);
}

TEST(GoBrowserEdit, SetupStonesGoToTheRootAndShowAtOnce) {
    auto w = windowWith("(;SZ[5];B[aa];W[bb])");
    w->moveBy(2);
    EXPECT_TRUE(w->addSetupStone(3, 3, "B"));
    EXPECT_TRUE(w->addSetupStone(4, 4, "W"));
    EXPECT_TRUE(w->addSetupStone(5, 5, "x"));
    EXPECT_FALSE(w->addSetupStone(6, 1, kBlack));
    EXPECT_EQ(test::pointList(w->root().blackSetup), "cc");
    EXPECT_EQ(test::pointList(w->root().whiteSetup), "dd ee");
    EXPECT_EQ(test::stoneList(w->board()), "aa:X bb:O cc:X dd:O ee:O");
    w->placeHandicap(4);  // not on a 5 x 5 board
    EXPECT_EQ(w->root().blackSetup.size(), 1u);
    auto big = windowWith("(;SZ[19])");
    big->placeHandicap(4);
    EXPECT_EQ(test::pointList(big->root().blackSetup), "pd dp dd pp");
}

TEST(GoBrowserEdit, DeleteAtTakesMarkupThenSetupThenTheCurrentMove) {
    auto w = windowWith("(;SZ[5]AB[cc]AW[cc];B[aa];W[bb])");
    w->moveBy(2);
    ASSERT_TRUE(w->addMark(2, 2));
    ASSERT_TRUE(w->addLabel(2, 2, u"A"));
    ASSERT_TRUE(w->deleteAt(2, 2));  // the first markup entry there
    ASSERT_EQ(w->current().markup.size(), 1u);
    EXPECT_EQ(w->current().markup[0].text, u"A");
    ASSERT_TRUE(w->deleteAt(2, 2));
    EXPECT_TRUE(w->current().markup.empty());
    EXPECT_FALSE(w->deleteAt(1, 1)) << "an earlier move's stone";
    ASSERT_TRUE(w->deleteAt(3, 3));  // the black setup stone first
    EXPECT_TRUE(w->root().blackSetup.empty());
    EXPECT_EQ(w->root().whiteSetup.size(), 1u);
    ASSERT_TRUE(w->deleteAt(2, 2));  // the current move
    EXPECT_EQ(w->current().x, 1);
    EXPECT_EQ(w->current().firstChild, nullptr);
    EXPECT_EQ(w->toPlay, kWhite);
    EXPECT_EQ(w->checkInvariants(), "");
}

// Clicks with each tool and phase: what they return and what the record becomes.
TEST(GoBrowserEdit, ClickPoint) {
    struct Case {
        const char* name;
        Tool tool;
        Phase phase;
        int x, y;
        std::string result;
        std::string tree;
    };
    const std::string base = "(;SZ[5]AW[ee];B[cc])";
    for (const Case& c : {
             Case{"play", Tool::play, Phase::none, 2, 2, "XY02bbW", "(;AW[ee];B[cc];W[bb])"},
             Case{"off the board", Tool::play, Phase::none, 6, 2, "", "(;AW[ee];B[cc])"},
             Case{"on a stone", Tool::play, Phase::none, 3, 3, "", "(;AW[ee];B[cc])"},
             // The tool's colour, whoever is to play.
             Case{"black setup", Tool::blackStone, Phase::none, 1, 1, "XY03aaB",
                  "(;AB[aa]AW[ee];B[cc])"},
             Case{"white setup", Tool::whiteStone, Phase::none, 1, 1, "XY03aaW",
                  "(;AW[ee aa];B[cc])"},
             Case{"label", Tool::mark, Phase::none, 1, 1, "XY04aaA", "(;AW[ee];B[cc]M[aa:A])"},
             Case{"mark a stone", Tool::mark, Phase::none, 5, 5, "XY08ee",
                  "(;AW[ee];B[cc]M[ee:^T])"},
             Case{"mark the current move", Tool::mark, Phase::none, 3, 3, "", "(;AW[ee];B[cc])"},
             Case{"erase a stone", Tool::erase, Phase::none, 3, 3, "XY09cc", "(;AW[ee])"},
             Case{"erase nothing", Tool::erase, Phase::none, 1, 1, "XY09aa", "(;AW[ee];B[cc])"},
             Case{"mark dead", Tool::play, Phase::markingDead, 5, 5, "ee", "(;AW[ee];B[cc])"},
             Case{"count on empty", Tool::play, Phase::markingDead, 1, 1, "", "(;AW[ee];B[cc])"},
         }) {
        SCOPED_TRACE(c.name);
        auto w = windowWith(base);
        w->moveBy(1);
        w->mayAct = true;
        w->tool = c.tool;
        w->phase = c.phase;
        EXPECT_EQ(w->clickPoint(c.x, c.y), c.result);
        EXPECT_EQ(test::treeText(w->root()), c.tree);
        EXPECT_EQ(w->checkInvariants(), "");
    }
    auto w = windowWith(base);
    EXPECT_EQ(w->clickPoint(1, 1), "x") << "the user may not act";
}

TEST(GoBrowserEdit, ClickPointInAGame) {
    testing::FakeClock clock;
    auto w = windowWith("(;SZ[9])");
    w->role = Role::playing;
    w->phase = Phase::playing;
    w->mayAct = true;
    w->toPlay = kBlack;
    w->clock = &clock;
    EXPECT_EQ(w->clickPoint(3, 4), "XY02cdB" + clock.report);
    EXPECT_EQ(clock.restarted, std::vector<int>{kBlack});
    EXPECT_FALSE(w->mayAct);
    EXPECT_EQ(w->toPlay, kBlack) << "a player keeps his colour";
    EXPECT_EQ(w->clickPoint(4, 4), "x");

    auto teacher = windowWith("(;SZ[9])");
    teacher->role = Role::playing;
    teacher->phase = Phase::ownsBoard;
    teacher->mayAct = true;
    EXPECT_EQ(teacher->clickPoint(3, 4), "XY02cdB");
    EXPECT_TRUE(teacher->mayAct);
    EXPECT_EQ(teacher->toPlay, kWhite);

    auto pupil = windowWith("(;SZ[9])");
    pupil->role = Role::observing;
    pupil->phase = Phase::following;
    pupil->mayAct = true;
    pupil->toPlay = kWhite;
    EXPECT_EQ(pupil->clickPoint(3, 4), "XY02cdW");
    EXPECT_FALSE(pupil->mayAct);
}

// A suicide leaves the record exactly as it was, the other variations included.
TEST(GoBrowserEdit, ASuicideClickChangesNothing) {
    auto w = windowWith("(;SZ[5]AB[ba][ab];W[ee](;B[dd])(;B[cc]))");
    w->moveBy(1);
    w->mayAct = true;
    w->toPlay = kWhite;
    const std::string tree = test::treeText(w->root());
    const std::string board = picture(w->board());
    const Node* current = &w->current();
    EXPECT_EQ(w->clickPoint(1, 1), "s");
    EXPECT_EQ(test::treeText(w->root()), tree);
    EXPECT_EQ(picture(w->board()), board);
    EXPECT_EQ(&w->current(), current);
}

TEST(GoBrowserEdit, LabelLettersFollowOneAnother) {
    auto w = windowWith("(;SZ[5])");
    w->mayAct = true;
    w->tool = Tool::mark;
    EXPECT_EQ(w->clickPoint(1, 1), "XY04aaA");
    EXPECT_EQ(w->clickPoint(2, 1), "XY04baB");
    w->addLabel(3, 1, u"Z");
    EXPECT_EQ(w->clickPoint(4, 1), "XY04daa");
}

}  // namespace
}  // namespace veld
