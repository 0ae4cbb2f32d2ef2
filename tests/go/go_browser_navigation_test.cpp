#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "go/diagram.h"
#include "go/go_browser.h"
#include "go/go_browser_fixture.h"
#include "go/tree.h"

namespace veld {
namespace {

using test::diagram;
using test::picture;
using test::windowWith;

// The colours of the board, one character per point in scan order: cheaper than a picture.
std::string position(const Tboard& board) {
    const int n = board.size();
    std::string text(static_cast<std::size_t>(n * n), '.');
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y)
            if (const int c = board.colourAt(x, y))
                text[static_cast<std::size_t>((x - 1) * n + y - 1)] = c > 0 ? 'X' : 'O';
    return text;
}

std::u16string number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

std::string emptyBoard(int size) {
    std::string text;
    for (int y = 0; y < size; ++y) text += std::string(static_cast<std::size_t>(size), '.') + "/";
    return diagram(text);
}

int movesWithPoint(const Node& root) {
    int n = 0;
    for (const Node* m = root.firstChild.get(); m; m = m->firstChild.get()) n += m->x != 0;
    return n;
}

// Every sample game, one step at a time to the end of its main line and back: each position
// on the way back is the one seen on the way forward, the start is the root's setup on an empty
// board, and a move's captures are searched for only the first time it is played.
TEST(GoBrowserSample, SteppingForthAndBackRetracesEveryPosition) {
    int games = 0;
    test::forEachSampleGame([&](SgfReadResult& r, int index) {
        SCOPED_TRACE("game " + std::to_string(index));
        ASSERT_TRUE(r.ok()) << r.error;
        Tboard setupOnly(r.boardSize);
        setupOnly.setColours(r.root->blackSetup, kBlack);
        setupOnly.setColours(r.root->whiteSetup, kWhite);
        GoBrowser w;
        ASSERT_TRUE(w.loadRecord(std::move(r)));
        ASSERT_EQ(picture(w.board()), picture(setupOnly));

        std::vector<std::string> seen{position(w.board())};
        const std::int64_t searchesBefore = w.captureSearches();
        for (const Node* before = nullptr; before != &w.current();) {
            before = &w.current();
            w.step(+1);
            if (before != &w.current()) seen.push_back(position(w.board()));
        }
        ASSERT_EQ(static_cast<int>(seen.size()) - 1, mainLineLength(w.root()));
        EXPECT_EQ(w.captureSearches() - searchesBefore, movesWithPoint(w.root()));
        EXPECT_EQ(w.checkInvariants(), "");
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            ASSERT_EQ(position(w.board()), *it) << "at move " << moveNumber(w.current());
            w.step(-1);
        }
        EXPECT_EQ(&w.current(), &w.root());

        w.moveBy(999);
        EXPECT_EQ(position(w.board()), seen.back());
        w.moveBy(-999);
        EXPECT_EQ(position(w.board()), seen.front());
        EXPECT_EQ(w.captureSearches() - searchesBefore, movesWithPoint(w.root()));
        ++games;
    });
    EXPECT_EQ(games, 500);
}

// A shown window keeps its board picture equal to its board on every step.
TEST(GoBrowserSample, TheBoardPictureFollowsEveryStep) {
    DrawingSettings numbered{3};
    test::forEachSampleGame([&](SgfReadResult& r, int index) {
        if (index % 50 != 0) return;
        SCOPED_TRACE("game " + std::to_string(index));
        GoBrowser w(numbered);
        ASSERT_TRUE(w.loadRecord(std::move(r)));
        testing::FakeRoom room;
        test::showIn(w, room);
        for (int i = 0; i < 400 && w.current().firstChild; ++i) {
            w.step(+1);
            ASSERT_EQ(room.board.picture(), picture(w.board()));
        }
        while (w.current().parent) {
            w.moveBy(-7);
            ASSERT_EQ(room.board.picture(), picture(w.board()));
        }
    });
}

constexpr std::string_view kBranches =
    "(;SZ[9];B[ee];W[ef]"
    "(;B[dd];W[cc](;B[cd])(;B[dc]))"
    "(;B[gg];W[gf])"
    "(;B[aa]))";

std::string currentMove(const GoBrowser& w) {
    const Node& n = w.current();
    if (n.x == 0) return n.parent ? "pass" : "root";
    return std::string{static_cast<char>('a' + n.x - 1), static_cast<char>('a' + n.y - 1)};
}

TEST(GoBrowserCursor, EndsOfTheTreeChangeNothing) {
    auto w = windowWith("(;SZ[9];B[ee];W[ef])");
    const std::string start = picture(w->board());
    w->step(-1);
    EXPECT_EQ(currentMove(*w), "root");
    EXPECT_EQ(picture(w->board()), start);
    w->moveBy(999);
    const std::string end = picture(w->board());
    w->step(+1);
    w->moveBy(5);
    EXPECT_EQ(currentMove(*w), "ef");
    EXPECT_EQ(picture(w->board()), end);
    EXPECT_EQ(w->toPlay, kBlack);
}

TEST(GoBrowserCursor, SwitchVariationAndNextBranch) {
    auto w = windowWith(kBranches);
    w->moveBy(3);  // B[dd], the first of three variations
    ASSERT_EQ(currentMove(*w), "dd");
    w->switchVariation();
    EXPECT_EQ(currentMove(*w), "gg");
    EXPECT_EQ(w->toPlay, kWhite);
    w->switchVariation();
    EXPECT_EQ(currentMove(*w), "aa");
    w->switchVariation();  // the last variation: nothing
    EXPECT_EQ(currentMove(*w), "aa");
    w->switchVariation(true);  // back and forth: to the first variation
    EXPECT_EQ(currentMove(*w), "dd");
    w->step(+1);
    w->switchVariation(true);  // an only child stays
    EXPECT_EQ(currentMove(*w), "cc");
    EXPECT_EQ(w->checkInvariants(), "");

    // From the end of each line to the next variation up the tree, in document order.
    w->moveBy(-999);
    std::vector<std::string> leaves;
    do {
        w->moveBy(999);
        leaves.push_back(currentMove(*w));
    } while (w->nextBranch());
    EXPECT_EQ(leaves, (std::vector<std::string>{"cd", "dc", "gf", "aa"}));
    EXPECT_EQ(&w->current(), &w->root());
    EXPECT_EQ(picture(w->board()), emptyBoard(9));
}

TEST(GoBrowserCursor, GotonodeCrossesVariations) {
    auto w = windowWith(kBranches);
    // Document order: root 1, ee 2, ef 3, dd 4, cc 5, cd 6, dc 7, gg 8, gf 9, aa 10.
    w->moveBy(999);  // cd, in the first variation
    ASSERT_EQ(currentMove(*w), "cd");
    EXPECT_FALSE(w->Gotonode(42));
    EXPECT_EQ(currentMove(*w), "cd");
    w->backTo(w->root().firstChild->firstChild->firstChild->firstChild.get());
    EXPECT_EQ(currentMove(*w), "cc");
    ASSERT_TRUE(w->Gotonode(7));  // dc: a sibling below the current node's parent
    EXPECT_EQ(currentMove(*w), "dc");
    w->moveBy(-999);
    ASSERT_TRUE(w->Gotonode(9));
    EXPECT_EQ(currentMove(*w), "gf");
    EXPECT_EQ(picture(w->board()), diagram(". . . . . . . . . / . . . . . . . . . / "
                                           ". . . . . . . . . / . . . . . . . . . / "
                                           ". . . . X . . . . / . . . . O . O . . / "
                                           ". . . . . . X . . / . . . . . . . . . / "
                                           ". . . . . . . . ."));
    EXPECT_EQ(w->checkInvariants(), "");

    // A path of another record changes nothing.
    auto other = windowWith(kBranches);
    const std::vector<Node*> foreign = pathToRoot(*other->root().firstChild);
    w->applyPath(foreign);
    EXPECT_EQ(currentMove(*w), "gf");
}

TEST(GoBrowserCursor, LoadAndGoto) {
    auto w = std::make_unique<GoBrowser>();
    ASSERT_TRUE(w->loadAndGoto(kBranches, 9));
    EXPECT_EQ(currentMove(*w), "gf");
    ASSERT_TRUE(w->loadAndGoto(kBranches, 99));  // no such node: the record stays at its start
    EXPECT_EQ(currentMove(*w), "root");
    EXPECT_FALSE(w->loadAndGoto("no record", 3));
}

TEST(GoBrowserCursor, BackToAndForwardToOnlyAlongTheLine) {
    auto w = windowWith(kBranches);
    w->moveBy(4);  // cc
    const Node* dd = w->current().parent;
    const Node* gg = dd->nextSibling.get();
    EXPECT_FALSE(w->backTo(gg));
    EXPECT_FALSE(w->forwardTo(dd));
    EXPECT_FALSE(w->backTo(nullptr));
    EXPECT_EQ(currentMove(*w), "cc");
    EXPECT_TRUE(w->backTo(dd));
    EXPECT_EQ(currentMove(*w), "dd");
    EXPECT_TRUE(w->forwardTo(w->current().firstChild->firstChild.get()));
    EXPECT_EQ(currentMove(*w), "cd");
}

TEST(GoBrowserCursor, CommentedNodes) {
    auto w = windowWith("(;C[root];B[aa]C[one];W[bb];B[cc];W[dd]C[four];B[ee])");
    w->moveBy(3);  // cc
    ASSERT_NE(w->previousCommented(), nullptr);
    EXPECT_EQ(w->previousCommented()->comment, u"one");
    ASSERT_NE(w->nextCommented(), nullptr);
    EXPECT_EQ(w->nextCommented()->comment, u"four");
    w->moveBy(-2);  // aa: the root's comment does not count
    EXPECT_EQ(w->previousCommented(), nullptr);
    w->moveBy(999);
    EXPECT_EQ(w->nextCommented(), nullptr);
}

TEST(GoBrowserCursor, GoToStartShowsTheFirstMoveUnlessThereIsASetup) {
    auto plain = windowWith("(;SZ[9];B[ee];W[ef];B[dd])");
    plain->moveBy(3);
    plain->goToStart();
    EXPECT_EQ(currentMove(*plain), "ee");
    auto setup = windowWith("(;SZ[9]AB[cc];W[ee];B[dd])");
    setup->moveBy(2);
    setup->goToStart();
    EXPECT_EQ(currentMove(*setup), "root");
    EXPECT_EQ(setup->toPlay, kBlack);
    EXPECT_EQ(test::stoneList(setup->board()), "cc:X");
}

// A ko shape: black at cb takes the white stone at bb, and white may not take back at once.
constexpr std::string_view kKoShape = "(;SZ[5]AB[ba][ab][bc]AW[ca][bb][db][cc]";

TEST(GoBrowserCursor, AClickThatTakesAKoSetsTheKoPoint) {
    auto w = windowWith(std::string(kKoShape) + ")");
    w->mayAct = true;
    EXPECT_EQ(w->clickPoint(3, 2), "XY02cbB");
    EXPECT_TRUE(w->board().isKo(2, 2, kWhite));
    EXPECT_EQ(w->toPlay, kWhite);
    const Node* taken = &w->current();
    EXPECT_EQ(w->clickPoint(2, 2), "k");
    EXPECT_EQ(&w->current(), taken);
    EXPECT_EQ(taken->firstChild, nullptr);
}

TEST(GoBrowserCursor, MovingThroughTheRecordLeavesNoKoPoint) {
    auto w = windowWith(std::string(kKoShape) + ";B[cb])");
    w->moveBy(1);  // the first time the capture is played
    EXPECT_EQ(w->board().koPoint().x, 0);
    w->moveBy(-1);
    w->moveBy(1);  // and again from what the node keeps
    EXPECT_EQ(w->board().koPoint().x, 0);
    EXPECT_EQ(test::stoneList(w->board()), "ab:X ba:X bc:X ca:O cb:X cc:O db:O");
}

// Records whose nodes cannot be undone by taking their stone off and putting their captures
// back: a move on a stone, setup stones below the root. Stepping back still restores each
// position, on the board and in its picture.
TEST(GoBrowserCursor, SteppingBackOverMovesOnStonesAndSetupBelowTheRoot) {
    for (const char* sgf :
         {"(;SZ[5];B[cc];W[cc];B[dd];W[cc])", "(;SZ[5];B[cc];W[dd]AB[ee]AW[cc];B[aa])",
          "(;SZ[5]AB[bb];W[bb]AW[aa];B[aa])"}) {
        SCOPED_TRACE(sgf);
        auto w = windowWith(sgf);
        testing::FakeRoom room;
        test::showIn(*w, room);
        std::vector<std::string> seen{picture(w->board())};
        while (w->current().firstChild) {
            w->step(+1);
            seen.push_back(picture(w->board()));
        }
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            EXPECT_EQ(picture(w->board()), *it);
            EXPECT_EQ(room.board.picture(), *it);
            EXPECT_EQ(w->checkInvariants(), "");
            w->step(-1);
        }
    }
}

// Random play and navigation on a small board: after every operation the window is sound and
// its board picture equals its board.
TEST(GoBrowserCursor, RandomUseKeepsTheWindowSound) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        DrawingSettings numbered{2};
        GoBrowser w(numbered);
        w.newRecord(7);
        w.mayAct = true;
        testing::FakeRoom room;
        test::showIn(w, room);
        for (int op = 0; op < 1500; ++op) {
            switch (pick(12)) {
                case 0:
                case 1:
                case 2:
                    w.clickPoint(1 + pick(7), 1 + pick(7));
                    break;
                case 3:
                    if (pick(3) == 0) {
                        w.playMove(0, 0, w.toPlay);  // a pass
                    } else {
                        w.clickPoint(1 + pick(7), 1 + pick(7));
                    }
                    break;
                case 4:
                    w.step(-1);
                    break;
                case 5:
                    w.step(+1);
                    break;
                case 6:
                    w.moveBy(pick(25) - 12);
                    break;
                case 7:
                    w.switchVariation(pick(2) == 0);
                    break;
                case 8:
                    if (!w.nextBranch()) w.moveBy(pick(5));
                    break;
                case 9:
                    w.deleteAt(w.current().x, w.current().y);
                    break;
                case 10:
                    if (pick(4) == 0) w.recordText(SgfWriteMode::Normal);  // renumbers
                    w.Gotonode(1 + pick(40));
                    break;
                case 11:
                    if (pick(10) == 0) {
                        w.rotateRecord();
                    } else {
                        w.goToStart();
                    }
                    break;
            }
            ASSERT_EQ(w.checkInvariants(), "") << "after operation " << op;
            ASSERT_EQ(room.board.picture(), picture(w.board())) << "after operation " << op;
            const Node& c = w.current();
            std::u16string caption = number(moveNumber(c));
            if (hasVariations(c)) caption += u"-" + number(variationIndex(c));
            ASSERT_EQ(room.moveNumber.caption, caption) << "after operation " << op;
            if (op % 25 == 0) {
                w.redrawAll();
                const Node* m = &c;
                for (int i = 0; i < numbered.shownodenumber && m && m->x != 0; ++i) {
                    if (w.board().colourAt(m->x, m->y) != m->colour) break;
                    EXPECT_EQ(room.board.labelAt(m->x, m->y), number(moveNumber(*m)));
                    m = m->parent;
                }
            }
        }
    }
}

}  // namespace
}  // namespace veld
