// Seeded random games on the board, checked move by move against the plain reference model and
// against the board's own invariants.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "go/board.h"
#include "go/diagram.h"
#include "go/reference_board.h"

namespace veld {
namespace {

using test::pointList;
using test::ReferenceBoard;

// Positions as one character per point, rows ended by a new line: cheap to compare every move.
std::string rowsOf(const Tboard& board) {
    std::string text;
    for (int y = 1; y <= board.size(); ++y) {
        for (int x = 1; x <= board.size(); ++x) text += test::stoneChar(board.colourAt(x, y));
        text += '\n';
    }
    return text;
}

std::string rowsOf(ReferenceBoard& ref, int size) {
    std::string text;
    for (int y = 1; y <= size; ++y) {
        for (int x = 1; x <= size; ++x) text += test::stoneChar(ref.colourAt(x, y));
        text += '\n';
    }
    return text;
}

std::string listOf(const std::vector<Tgp*>& points) {
    std::vector<Tgp> copies;
    for (const Tgp* p : points) copies.push_back(*p);
    return pointList(copies);
}

struct Counts {
    int played = 0;
    int captures = 0;
    int kosSet = 0;
    int koRefusals = 0;
    int suicides = 0;
};

// A user's move on the reference, in the calling order the game window uses.
MoveRefusal referenceMove(ReferenceBoard& ref, int x, int y, int c, std::vector<Tgp>& captured) {
    captured.clear();
    if (ref.colourAt(x, y) != 0) return MoveRefusal::occupied;
    if (ref.isKo(x, y, c)) return MoveRefusal::ko;
    const int liberties = ref.libertiesAfterPlacing(x, y, c);
    const Tgp savedKo = ref.ko;
    captured = ref.playStone(x, y, c);
    if (liberties == 0 && captured.empty()) {
        ref.at(x, y).colour = 0;
        ref.ko = savedKo;
        return MoveRefusal::suicide;
    }
    return MoveRefusal::none;
}

// The same calling order spelled out on the board's own operations.
MoveRefusal stepwiseMove(Tboard& board, int x, int y, int c, std::vector<Tgp>& captured,
                         int& liberties) {
    captured.clear();
    if (board.colourAt(x, y) != 0) return MoveRefusal::occupied;
    if (board.isKo(x, y, c)) return MoveRefusal::ko;
    liberties = board.libertiesAfterPlacing(x, y, c);
    const Tgp savedKo = board.koPoint();
    const auto out = board.playStone(x, y, c);
    captured.assign(out.begin(), out.end());
    if (liberties == 0 && captured.empty()) {
        board.setColour(x, y, kEmpty);
        board.setKo(savedKo.x, savedKo.y, savedKo.colour);
        return MoveRefusal::suicide;
    }
    return MoveRefusal::none;
}

// The searches of counting and pattern search agree with the reference on the position now.
void compareSearches(Tboard& board, ReferenceBoard& ref, std::mt19937& rng) {
    const int n = board.size();
    const int x = static_cast<int>(rng() % n) + 1;
    const int y = static_cast<int>(rng() % n) + 1;
    const int c = board.colourAt(x, y);
    auto group = ref.collectGroup(x, y, c);
    ReferenceBoard::clearMarks(group);
    ASSERT_EQ(pointList(board.collectGroup(x, y, c)), listOf(group));
    for (int k : {kBlack, kWhite}) {
        const auto groups = board.adjacentGroups(x, y, k);
        const auto expected = ref.adjacentGroups(x, y, k);
        ASSERT_EQ(groups.size(), expected.size());
        for (std::size_t i = 0; i < groups.size(); ++i) {
            ASSERT_EQ(pointList(groups[i]), listOf(expected[i]));
            ASSERT_EQ(board.countLiberties(groups[i]), ref.countLiberties(expected[i]));
        }
    }
    const auto regions = board.emptyRegions();
    const auto expected = ref.emptyRegions();
    ASSERT_EQ(regions.size(), expected.size());
    for (std::size_t i = 0; i < regions.size(); ++i) {
        ASSERT_EQ(pointList(regions[i]), listOf(expected[i]));
        ASSERT_EQ(board.regionOwner(regions[i]), ref.regionOwner(expected[i]));
    }
}

void playRandomGames(int size, std::uint32_t seed, int moves, Counts& counts) {
    std::mt19937 rng(seed);
    // On the smallest boards most moves are suicide: the number of games is bounded too.
    for (int game = 0; game < 1000 && counts.played < moves; ++game) {
        Tboard board(size);
        ReferenceBoard ref(size);
        int toPlay = kBlack;
        for (int turn = 0; turn < size * size * 3 && counts.played < moves; ++turn) {
            // Mostly empty points; now and then any point, and now and then the same colour twice,
            // so that shapes and refusals vary.
            int x = static_cast<int>(rng() % size) + 1;
            int y = static_cast<int>(rng() % size) + 1;
            if (rng() % 10 != 0) {
                const auto empty = board.emptyPoints();
                if (empty.empty()) break;
                const Tgp& p = empty[rng() % empty.size()];
                x = p.x;
                y = p.y;
            }
            int c = rng() % 8 == 0 ? -toPlay : toPlay;
            if (board.koPoint().x != 0 && rng() % 2 == 0) {  // try the forbidden retake
                x = board.koPoint().x;
                y = board.koPoint().y;
                c = board.koPoint().colour;
            }
            const std::string before = rowsOf(board);
            // Streamed into a failed assertion only.
            const auto context = [&] {
                return before + "move " + std::to_string(x) + "," + std::to_string(y) + " colour " +
                       std::to_string(c);
            };

            std::vector<Tgp> expectedCaptures;
            const int expectedLiberties = ref.colourAt(x, y) == 0 && !ref.isKo(x, y, c)
                                              ? ref.libertiesAfterPlacing(x, y, c)
                                              : -1;
            const MoveRefusal expected = referenceMove(ref, x, y, c, expectedCaptures);

            MoveRefusal refusal;
            std::vector<Tgp> captured;
            if (rng() % 2 == 0) {
                const MoveOutcome out = board.tryPlay(x, y, c);
                refusal = out.refusal;
                captured.assign(out.captures.begin(), out.captures.end());
            } else {
                int liberties = -1;
                refusal = stepwiseMove(board, x, y, c, captured, liberties);
                ASSERT_EQ(liberties, expectedLiberties) << context();
            }
            ASSERT_EQ(refusal, expected) << context();
            ASSERT_EQ(pointList(captured), pointList(expectedCaptures)) << context();
            ASSERT_EQ(rowsOf(board), rowsOf(ref, size)) << context();
            ASSERT_EQ(board.koPoint().x, ref.ko.x) << context();
            ASSERT_EQ(board.koPoint().y, ref.ko.y) << context();
            ASSERT_EQ(board.koPoint().colour, ref.ko.colour) << context();
            ASSERT_EQ(board.checkInvariants(), "") << context();

            if (refusal == MoveRefusal::none) {
                ++counts.played;
                toPlay = -c;
                counts.captures += !captured.empty();
                counts.kosSet += board.koPoint().x != 0;
            }
            counts.koRefusals += refusal == MoveRefusal::ko;
            counts.suicides += refusal == MoveRefusal::suicide;
            if (refusal == MoveRefusal::occupied) {
                ASSERT_EQ(rowsOf(board), before);
            }
            if (turn % 7 == 0) {
                compareSearches(board, ref, rng);
                if (testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

TEST(BoardStress, RandomGamesOnNineLinesMatchTheReference) {
    Counts counts;
    playRandomGames(9, 20240611u, 6000, counts);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    // The games must have reached the cases worth checking.
    EXPECT_GT(counts.captures, 400);
    EXPECT_GT(counts.kosSet, 40);
    EXPECT_GT(counts.koRefusals, 40);
    EXPECT_GT(counts.suicides, 400);
}

TEST(BoardStress, RandomGamesOnNineteenLinesMatchTheReference) {
    Counts counts;
    playRandomGames(19, 77u, 1500, counts);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    EXPECT_GT(counts.captures, 60);
    EXPECT_GT(counts.kosSet, 5);
    EXPECT_GT(counts.koRefusals, 5);
    EXPECT_GT(counts.suicides, 100);
}

TEST(BoardStress, SmallBoardsAndOddSizes) {
    for (int size : {1, 2, 3, 5}) {
        SCOPED_TRACE(size);
        Counts counts;
        playRandomGames(size, 1000u + static_cast<std::uint32_t>(size), 500, counts);
        ASSERT_FALSE(testing::Test::HasFatalFailure());
    }
}

}  // namespace
}  // namespace veld
