// One Go position on a square board and the rules of play on it: groups and liberties, captures,
// suicide, a single-point ko, the searches that counting needs and a quarter-turn copy.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "go/point.h"

namespace veld {

// A group taken off the board as dead while counting.
struct Tcapture {
    std::vector<Tgp> stones;  // in the order collectGroup found them
    std::int32_t colour = kEmpty;
};

// Why tryPlay refused a move; `none` when the move was played.
enum class MoveRefusal { none, offBoard, occupied, ko, suicide };

struct MoveOutcome {
    MoveRefusal refusal = MoveRefusal::none;
    // The stones the move took off, in capture order; a view of the board's capture buffer,
    // valid until the board next changes.
    std::span<const Tgp> captures;

    bool played() const { return refusal == MoveRefusal::none; }
};

// Orders fixed by the board, which the rest of the program relies on:
//  - neighbours of (x, y): (x+1, y), (x, y-1), (x-1, y), (x, y+1), off-board ones skipped;
//  - scan order: x = 1..N in the outer loop, y = 1..N in the inner one;
//  - a group lists its points in depth-first pre-order from its first point, taking neighbours in
//    neighbour order.
// Every list a board returns is a new list of snapshots (Tgp values). Colours outside -1..+1 are
// stored as their sign. Coordinates outside the board are ignored by every operation (an
// off-board point reads as empty). The searches share scratch buffers, so a board must not be
// used from two threads at once, not even for reading.
class Tboard {
  public:
    Tboard() { init(0); }  // no point is on the board
    explicit Tboard(int size) { init(size); }

    // Far beyond any real board; keeps the cell arithmetic inside int.
    static constexpr int kMaxSize = 256;

    // A fresh empty board of size lines, no ko. A size below 1 gives a board without points, one
    // above kMaxSize a board of kMaxSize lines.
    void init(int size);

    int size() const { return size_; }
    // The point forbidden by ko: x, y and the colour of the player who may not play there;
    // x = y = 0 means no ko.
    const Tgp& koPoint() const { return koPoint_; }

    bool isOnBoard(int x, int y) const { return x >= 1 && y >= 1 && x <= size_ && y <= size_; }
    std::int32_t colourAt(int x, int y) const { return isOnBoard(x, y) ? colour_[cell(x, y)] : 0; }
    Tgp pointAt(int x, int y) const;

    std::vector<Tgp> neighbours(int x, int y) const;
    std::vector<Tgp> neighboursOfColour(int x, int y, int c) const;
    // The point (x, y), whatever its colour, and every point of colour c connected to it through
    // points of colour c, in group order. Empty when (x, y) is off the board.
    std::vector<Tgp> collectGroup(int x, int y, int c) const;
    // The empty neighbours of each point of group, added up: an empty point next to two stones of
    // the group counts twice.
    int countLiberties(std::span<const Tgp> group) const;
    // The distinct groups of colour c touching (x, y), in neighbour order.
    std::vector<std::vector<Tgp>> adjacentGroups(int x, int y, int c) const;
    // The groups whose countLiberties equals n, in input order.
    std::vector<std::vector<Tgp>> groupsWithLiberties(const std::vector<std::vector<Tgp>>& groups,
                                                      int n) const;

    // Puts a stone of colour c at (x, y) (replacing whatever is there), takes off the opponent's
    // groups next to it that are left without a liberty, and sets the ko point when exactly one
    // stone was taken by a stone that touches no stone of its own colour; otherwise clears the
    // ko point's x and y (its colour stays). The stone's own group is never taken off: suicide is
    // the caller's test. Returns the captured points (x and y only), group after group in
    // neighbour order; the view is valid until the board next changes. Off the board: nothing.
    std::span<const Tgp> playStone(int x, int y, int c);
    // The liberties (as countLiberties counts them) that the group of a stone of colour c at
    // (x, y) would have before any capture. The board is left as it was.
    int libertiesAfterPlacing(int x, int y, int c);
    // A user's move: refuses a point off the board, an occupied point, the ko point and suicide
    // (a move without liberty that captures nothing), leaving board and ko point as they were;
    // otherwise plays the stone. The same as isKo, libertiesAfterPlacing, playStone and the undo
    // of a suicide, done without the full liberty count.
    MoveOutcome tryPlay(int x, int y, int c);

    void setKo(int x, int y, int c) {
        koPoint_.x = x;
        koPoint_.y = y;
        koPoint_.colour = c;
    }
    bool isKo(int x, int y, int c) const {
        return koPoint_.x == x && koPoint_.y == y && koPoint_.colour == c;
    }

    // Raw edits: no rule is applied.
    void setColour(int x, int y, int c);
    void setColours(std::span<const Tgp> points, int c);
    void setLabel(int x, int y, std::string label);
    // On an empty point: colour c and the move number, and nothing is returned. On an occupied
    // point: nothing changes and that point is returned. Off the board (x or y 0 included):
    // nothing.
    std::optional<Tgp> placeIfEmpty(int x, int y, int moveNumber, int c);

    std::vector<Tgp> occupiedPoints() const;  // scan order
    std::vector<Tgp> emptyPoints() const;     // scan order
    // The maximal connected sets of empty points, in scan order of their first points.
    std::vector<std::vector<Tgp>> emptyRegions() const;
    // The colour of the stones around region when they are all of one colour; 0 when it touches
    // both colours or no stone.
    int regionOwner(std::span<const Tgp> region) const;
    // A 19 x 19 board (whatever this board's size) holding this board's stones turned a quarter
    // turn clockwise: (x, y) goes to (|y - 19| + 1, x). Points that land off it are dropped.
    Tboard rotatedCopy() const;

    // Empty when the board is sound; otherwise a description of the first fault found. Sound: the
    // border around the points is intact, every colour is -1, 0 or +1, every point carries its
    // own x and y, every stone's group has a liberty and a ko point lies on an empty point. The
    // last two hold after any sequence of moves made with tryPlay (raw edits may break them).
    std::string checkInvariants() const;

  private:
    struct Frame {
        int cell;
        int dir;
    };

    int cell(int x, int y) const { return y * stride_ + x; }
    int cellX(int c) const { return c % stride_; }
    int cellY(int c) const { return c / stride_; }
    Tgp snapshot(int c) const;
    std::uint32_t newGeneration() const;
    // Appends the group of `start` in group order, marking with generation g; nothing when start
    // is already marked.
    void appendGroup(int start, std::int8_t c, std::uint32_t g, std::vector<Tgp>& out) const;
    bool groupHasLiberty(int start, std::int8_t c) const;
    void captureGroup(int start, std::int8_t c);
    bool touchesColour(int c, std::int8_t colour) const;

    int size_ = 0;
    int stride_ = 2;                // size_ + 2: a border of wall cells surrounds the points
    std::int32_t offsets_[4] = {};  // neighbour order
    Tgp koPoint_;
    std::vector<std::int8_t> colour_;
    // Cold per-point data, allocated when first written.
    std::vector<std::int32_t> moveNumber_;
    std::vector<std::string> label_;
    // Scratch of the searches. A cell is visited when its mark equals the current generation.
    mutable std::vector<std::uint32_t> marks_;
    mutable std::uint32_t generation_ = 0;
    mutable std::vector<Frame> frames_;
    mutable std::vector<int> cells_;
    std::vector<Tgp> captures_;
};

}  // namespace veld
