#include "go/board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "go/diagram.h"

namespace veld {
namespace {

using test::boardFrom;
using test::diagram;
using test::picture;
using test::pointList;
using test::pointsPicture;
using test::stoneList;

std::string koText(const Tboard& b) {
    const Tgp& k = b.koPoint();
    if (k.x == 0 && k.y == 0) return "";
    return pointList(std::span(&k, 1)) + ':' + test::stoneChar(k.colour);
}

TEST(Board, NeighboursKeepTheirOrderAndSkipPointsOffTheBoard) {
    const Tboard b = boardFrom(". X . / O . X / . O .");
    struct Case {
        int x, y;
        const char* all;
        const char* black;
    };
    const Case cases[] = {
        {2, 2, "cb ba ab bc", "cb ba"},  // right, up, left, down
        {1, 1, "ba ab", "ba"},
        {3, 1, "ba cb", "ba cb"},
        {1, 3, "bc ab", ""},
        {3, 3, "cb bc", "cb"},
        {1, 2, "bb aa ac", ""},  // first column: the left one is missing
        {2, 1, "ca aa bb", ""},  // first row: the upper one is missing
        {0, 2, "ab", ""},        // just off the board: its neighbour on the edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(pointList(b.neighbours(c.x, c.y)), c.all);
        EXPECT_EQ(pointList(b.neighboursOfColour(c.x, c.y, kBlack)), c.black);
    }
}

TEST(Board, GroupsListTheirPointsInDepthFirstPreOrder) {
    const Tboard b = boardFrom(
        ". . . . ."
        "/ . X X . ."
        "/ . X X . ."
        "/ . . . X X"
        "/ X . . X .");
    // A square: the second neighbour of the first point is reached through the others first.
    EXPECT_EQ(pointList(b.collectGroup(2, 2, kBlack)), "bb cb cc bc");
    EXPECT_EQ(pointList(b.collectGroup(5, 4, kBlack)), "ed dd de");
    // The start point's own colour is not tested: an empty start joins groups around it.
    EXPECT_EQ(pointList(b.collectGroup(4, 3, kBlack)), "dc cc cb bb bc dd ed de");
    EXPECT_EQ(b.collectGroup(1, 4, kEmpty).size(), 16u);  // all empty points but ee
    EXPECT_TRUE(b.collectGroup(0, 1, kBlack).empty());
    // Searches leave no marks behind: the same search again gives the same group.
    EXPECT_EQ(pointList(b.collectGroup(2, 2, kBlack)), "bb cb cc bc");
    for (const Tgp& p : b.collectGroup(2, 2, kBlack)) EXPECT_EQ(p.mark, 0);
}

TEST(Board, AdjacentGroupsFindsEachGroupOnce) {
    const Tboard b = boardFrom(
        "O O X"
        "/ O . O"
        "/ X O .");
    const auto groups = b.adjacentGroups(2, 2, kWhite);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(pointList(groups[0]), "cb");
    EXPECT_EQ(pointList(groups[1]), "ba aa ab");  // touches (2, 2) on two sides
    EXPECT_EQ(pointList(groups[2]), "bc");
    EXPECT_EQ(b.countLiberties(groups[1]), 2);  // (2, 2) counted once per stone next to it
    const auto none = b.groupsWithLiberties(groups, 0);
    EXPECT_TRUE(none.empty());
    const auto two = b.groupsWithLiberties(groups, 2);
    ASSERT_EQ(two.size(), 3u);
}

TEST(Board, LibertiesAfterPlacingCountsSharedLibertiesPerStone) {
    Tboard b = boardFrom("X X . / . . . / . . .");
    // Group aa ba bb: aa has ab; ba has ca; bb has cb ab bc. ab counts twice.
    EXPECT_EQ(b.libertiesAfterPlacing(2, 2, kBlack), 5);
    EXPECT_EQ(picture(b), diagram("X X . / . . . / . . ."));
    EXPECT_EQ(b.libertiesAfterPlacing(1, 2, kWhite), 2);
}

struct CaptureCase {
    const char* name;
    const char* before;
    int x, y, colour;
    const char* after;
    const char* captured;
    const char* ko;  // "point:colour forbidden", empty for none
};

void PrintTo(const CaptureCase& c, std::ostream* os) {
    *os << c.name;
}

class PlayStone : public testing::TestWithParam<CaptureCase> {};

TEST_P(PlayStone, CapturesAndKo) {
    const CaptureCase& c = GetParam();
    Tboard b = boardFrom(c.before);
    b.setKo(9, 9, kBlack);  // every move writes the ko point
    EXPECT_EQ(pointList(b.playStone(c.x, c.y, c.colour)), c.captured);
    EXPECT_EQ(picture(b), diagram(c.after));
    EXPECT_EQ(koText(b), c.ko);
}

const CaptureCase kCaptureCases[] = {
    {"LoneStoneTakingOneSetsKo", ". X O . / X O . O / . X O . / . . . .", 3, 2, kBlack,
     ". X O . / X . X O / . X O . / . . . .", "bb", "bb:O"},
    {"TakingTwoClearsKo", ". X X O . / X O O . O / . X X O . / . . . . . / . . . . .", 4, 2, kBlack,
     ". X X O . / X . . X O / . X X O . / . . . . . / . . . . .", "cb bb", ""},
    {"TakingOneWithAJoinedStoneClearsKo", ". X O . / X O . X / . X O . / . . . .", 3, 2, kBlack,
     ". X O . / X . X X / . X O . / . . . .", "bb", ""},
    {"GroupTouchingTwiceIsTakenOnce", "O O X / O . . / X . .", 2, 2, kBlack,
     ". . X / . X . / X . .", "ba aa ab", ""},
    // Both groups lose their last liberty: the right one first (neighbour order), each in
    // flood-fill order rather than scan order.
    {"DoubleCaptureInNeighbourThenFillOrder",
     ". . . . . . . / . . . . . X . / . X X . X O X / X O O . O O X"
     "/ X O X . X X . / . X . . . . . / . . . . . . .",
     4, 4, kBlack,
     ". . . . . . . / . . . . . X . / . X X . X . X / X . . X . . X"
     "/ X . X . X X . / . X . . . . . / . . . . . . .",
     "ed fd fc cd bd be", ""},
    {"NoCaptureClearsKo", ". . . / . O . / . . .", 1, 1, kBlack, "X . . / . O . / . . .", "", ""},
    {"OwnGroupWithoutLibertyStays", ". X . / X . X / . X .", 2, 2, kWhite, ". X . / X O X / . X .",
     "", ""},
    {"StoneReplacesStone", "O . / . .", 1, 1, kBlack, "X . / . .", "", ""},
    {"OffTheBoardChangesNothing", "X . / . O", 3, 1, kWhite, "X . / . O", "", "ii:X"},
};

INSTANTIATE_TEST_SUITE_P(Board, PlayStone, testing::ValuesIn(kCaptureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Board, KoRefusesTheRetakeUntilAMoveElsewhere) {
    Tboard b = boardFrom(". X O . . / X O . O . / . X O . . / . . . . . / . . . . .");
    ASSERT_TRUE(b.tryPlay(3, 2, kBlack).played());
    EXPECT_TRUE(b.isKo(2, 2, kWhite));
    EXPECT_FALSE(b.isKo(2, 2, kBlack));
    const std::string position = picture(b);

    EXPECT_EQ(b.tryPlay(2, 2, kWhite).refusal, MoveRefusal::ko);
    EXPECT_EQ(picture(b), position);
    EXPECT_TRUE(b.isKo(2, 2, kWhite));

    ASSERT_TRUE(b.tryPlay(5, 5, kWhite).played());
    EXPECT_EQ(koText(b), "");
    EXPECT_EQ(b.koPoint().colour, kWhite);  // clearing keeps the colour
    ASSERT_TRUE(b.tryPlay(5, 4, kBlack).played());
    const MoveOutcome retake = b.tryPlay(2, 2, kWhite);
    ASSERT_TRUE(retake.played());
    EXPECT_EQ(pointList(retake.captures), "cb");
    EXPECT_EQ(koText(b), "cb:X");
}

TEST(Board, SuicideIsRefusedUnlessTheMoveCaptures) {
    struct Case {
        const char* position;
        int x, y, colour;
        int liberties;
        MoveRefusal refusal;
        const char* captured;
    };
    const Case cases[] = {
        {". X . / X . X / . X .", 2, 2, kWhite, 0, MoveRefusal::suicide, ""},
        {"X X X . / X O . X / X X X . / . . . .", 3, 2, kWhite, 0, MoveRefusal::suicide, ""},
        {". X O . / X O . O / . X O . / . . . .", 3, 2, kBlack, 0, MoveRefusal::none, "bb"},
        {"O X . / . X . / X . .", 1, 2, kWhite, 0, MoveRefusal::suicide, ""},  // corner
        {"O X . / . X . / X . .", 1, 2, kBlack, 4, MoveRefusal::none, "aa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        Tboard b = boardFrom(c.position);
        b.setKo(1, 4, -c.colour);
        EXPECT_EQ(b.libertiesAfterPlacing(c.x, c.y, c.colour), c.liberties);
        EXPECT_EQ(picture(b), diagram(c.position));
        const MoveOutcome out = b.tryPlay(c.x, c.y, c.colour);
        EXPECT_EQ(out.refusal, c.refusal);
        EXPECT_EQ(pointList(out.captures), c.captured);
        if (c.refusal == MoveRefusal::suicide) {
            EXPECT_EQ(picture(b), diagram(c.position));
            EXPECT_TRUE(b.isKo(1, 4, -c.colour));  // restored
        }
    }
}

TEST(Board, TryPlayRefusesOccupiedAndOffBoardPoints) {
    Tboard b = boardFrom("X . / . .");
    EXPECT_EQ(b.tryPlay(1, 1, kWhite).refusal, MoveRefusal::occupied);
    EXPECT_EQ(b.tryPlay(0, 1, kWhite).refusal, MoveRefusal::offBoard);
    EXPECT_EQ(b.tryPlay(1, 3, kWhite).refusal, MoveRefusal::offBoard);
    EXPECT_EQ(picture(b), diagram("X . / . ."));
}

TEST(Board, ListsInScanOrderColumnsOutside) {
    Tboard b = boardFrom("X . / O X");
    EXPECT_EQ(pointList(b.occupiedPoints()), "aa ab bb");
    EXPECT_EQ(pointList(b.emptyPoints()), "ba");
    b.setColours(b.occupiedPoints(), kEmpty);
    EXPECT_EQ(picture(b), diagram(". . / . ."));
}

TEST(Board, PlaceIfEmptyReportsTheStoneInTheWay) {
    Tboard b = boardFrom(". . . / . X . / . . .");
    EXPECT_FALSE(b.placeIfEmpty(1, 1, 7, kWhite));
    EXPECT_EQ(b.pointAt(1, 1).colour, kWhite);
    EXPECT_EQ(b.pointAt(1, 1).moveNumber, 7);
    const auto inTheWay = b.placeIfEmpty(2, 2, 8, kWhite);
    ASSERT_TRUE(inTheWay);
    EXPECT_EQ(inTheWay->colour, kBlack);
    EXPECT_EQ(inTheWay->x, 2);
    EXPECT_EQ(inTheWay->moveNumber, 0);
    EXPECT_FALSE(b.placeIfEmpty(0, 3, 9, kWhite));
    EXPECT_FALSE(b.placeIfEmpty(4, 1, 9, kWhite));
    EXPECT_EQ(picture(b), diagram("O . . / . X . / . . ."));
    b.setLabel(2, 2, "A");
    EXPECT_EQ(b.pointAt(2, 2).label, "A");
    EXPECT_EQ(b.collectGroup(2, 2, kBlack).front().label, "A");
}

TEST(Board, EmptyRegionsAndTheirOwners) {
    const Tboard b = boardFrom(
        ". X . O ."
        "/ X X . O O"
        "/ . . . . ."
        "/ O O . X X"
        "/ . O . X .");
    const auto regions = b.emptyRegions();
    ASSERT_EQ(regions.size(), 5u);
    EXPECT_EQ(pointList(regions[0]), "aa");
    EXPECT_EQ(pointsPicture(5, regions[1]), diagram(". . # . ."
                                                    "/ . . # . ."
                                                    "/ # # # # #"
                                                    "/ . . # . ."
                                                    "/ . . # . ."));
    EXPECT_EQ(pointList(regions[1]).substr(0, 8), "ac bc cc");  // flood fill from its first point
    EXPECT_EQ(pointList(regions[2]), "ae");
    EXPECT_EQ(pointList(regions[3]), "ea");
    EXPECT_EQ(pointList(regions[4]), "ee");
    std::vector<int> owners;
    for (const auto& r : regions) owners.push_back(b.regionOwner(r));
    EXPECT_EQ(owners, (std::vector<int>{kBlack, kEmpty, kWhite, kWhite, kBlack}));

    const Tboard empty(9);
    ASSERT_EQ(empty.emptyRegions().size(), 1u);
    EXPECT_EQ(empty.emptyRegions()[0].size(), 81u);
    EXPECT_EQ(empty.regionOwner(empty.emptyRegions()[0]), kEmpty);
}

TEST(Board, RotatedCopyIsAQuarterTurnOnNineteenLines) {
    Tboard big(19);
    big.setColour(1, 1, kBlack);
    big.setColour(19, 19, kWhite);
    big.setColour(2, 1, kBlack);
    big.setKo(3, 3, kWhite);
    const Tboard turned = big.rotatedCopy();
    EXPECT_EQ(stoneList(turned), "as:O sa:X sb:X");
    EXPECT_EQ(turned.koPoint().x, 0);

    Tboard small(9);
    small.setColour(1, 1, kBlack);
    small.setColour(9, 9, kWhite);
    small.setColour(1, 9, kBlack);
    const Tboard fromSmall = small.rotatedCopy();
    EXPECT_EQ(fromSmall.size(), 19);
    EXPECT_EQ(stoneList(fromSmall), "ka:X ki:O sa:X");

    // Four quarter turns bring a full board back.
    Tboard b = boardFrom(
        "X . . . . . . . . . . . . . . . . . O"
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . X . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . . ."
        "/ . . . . . . . . . . . . . . . . . O ."
        "/ . . . . . . . . . . . . . . . . . . X");
    EXPECT_EQ(stoneList(b.rotatedCopy()), "as:X br:O qc:X sa:X ss:O");
    EXPECT_EQ(picture(b.rotatedCopy().rotatedCopy().rotatedCopy().rotatedCopy()), picture(b));
}

TEST(Board, InitGivesAFreshBoard) {
    Tboard b = boardFrom("X O / . X");
    b.setKo(1, 2, kWhite);
    b.init(3);
    EXPECT_EQ(picture(b), diagram(". . . / . . . / . . ."));
    EXPECT_EQ(b.koPoint(), Tgp{});
    EXPECT_EQ(b.checkInvariants(), "");
    EXPECT_EQ(Tboard(1 << 30).size(), Tboard::kMaxSize);
    const Tboard none(-4);
    EXPECT_FALSE(none.isOnBoard(1, 1));
    EXPECT_TRUE(none.emptyRegions().empty());
    const Tgp off = b.pointAt(7, 8);
    EXPECT_EQ(off.colour, kEmpty);
    EXPECT_EQ(off.x, 7);
}

TEST(Board, InvariantCheckFindsAGroupWithoutLiberty) {
    Tboard b = boardFrom(". X . / X O X / . X .");
    EXPECT_EQ(b.checkInvariants(), "group without liberty at (2, 2)");
    b.setColour(2, 2, kEmpty);
    EXPECT_EQ(b.checkInvariants(), "");
    b.setKo(1, 2, kWhite);
    EXPECT_EQ(b.checkInvariants(), "ko point not an empty point at (1, 2)");
}

}  // namespace
}  // namespace veld
