// Property meanings shared by both record readers: moves, point lists (setup stones and marks),
// labels, handicap and board size. Values come as 8-bit or wide characters; coordinates are
// letters, 'a' = 1.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "go/handicap.h"
#include "go/node.h"
#include "go/sgf_syntax.h"
#include "go/tasso.h"
#include "protocol/fields.h"

namespace veld::sgf {

template <class Char>
int letterValue(Char c) {
    return static_cast<int>(static_cast<std::make_unsigned_t<Char>>(c)) - ('a' - 1);
}

// A coordinate outside 1..N becomes N.
template <class Char>
int coordinateOnBoard(Char c, int boardSize) {
    const int v = letterValue(c);
    return v < 1 || v > boardSize ? boardSize : v;
}

template <class Char>
std::size_t leadingBlanks(std::basic_string_view<Char> s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    return i;
}

// Why a move value fails a plain read; value is its beginning, as UTF-8.
inline std::string badMoveMessage(std::string_view id, std::string_view value) {
    return "a move needs two letters, or none for a pass: " + std::string(id) + "[" +
           std::string(value) + "]";
}

// The characters as 8-bit text: ASCII kept, anything else as '?'. For identifiers, markup keys
// and numbers, which are ASCII whenever they mean anything.
template <class Char>
std::string asciiText(std::basic_string_view<Char> s) {
    std::string out;
    out.reserve(s.size());
    for (Char c : s) {
        const auto u = static_cast<std::make_unsigned_t<Char>>(c);
        out += u < 0x80 ? static_cast<char>(u) : '?';
    }
    return out;
}

// A move value: empty, or "tt" on a board of up to 19 lines, is a pass (the colour with no
// point); two letters are a point, moved to (N, N) when off the board. False for any other length,
// with the node unchanged.
template <class Char>
bool applyMove(Node& n, int colour, std::basic_string_view<Char> v, int boardSize) {
    if (v.empty() || (v.size() == 2 && v[0] == Char('t') && v[1] == Char('t') && boardSize <= 19)) {
        n.colour = colour;
        n.x = 0;
        n.y = 0;
        return true;
    }
    if (v.size() != 2) return false;
    int x = letterValue(v[0]);
    int y = letterValue(v[1]);
    if (x < 1 || x > boardSize || y < 1 || y > boardSize) x = y = boardSize;
    n.colour = colour;
    n.x = x;
    n.y = y;
    return true;
}

// The points of one point-list value: "aa:cc" is the rectangle with those corners (on the board),
// anything else is cut into two-letter points (a single letter left over is dropped).
template <class Char>
struct PointValue {
    std::basic_string_view<Char> v;

    bool isRectangle() const { return v.size() == 5 && v[2] == Char(':'); }

    // Calls f(x, y) for each point of a rectangle, x outer and y inner; coordinates on the board.
    template <class F>
    void forEachInRectangle(int boardSize, F f) const {
        const int x1 = coordinateOnBoard(v[0], boardSize), y1 = coordinateOnBoard(v[1], boardSize);
        const int x2 = coordinateOnBoard(v[3], boardSize), y2 = coordinateOnBoard(v[4], boardSize);
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
            for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) f(x, y);
        }
    }
};

// The values of a point list in the order they are applied: the further values first, the first
// value last (so AB[pd][dp] and AB[dppd] give the same stones).
template <class String>
std::vector<String> pointListOrder(std::vector<String> values) {
    if (values.size() > 1) std::rotate(values.begin(), values.begin() + 1, values.end());
    return values;
}

// Setup stones: the list replaces what the node had for that colour.
template <class Char>
void applySetupList(SyntaxReader<Char>& r, Node& n, int colour,
                    const std::vector<std::basic_string<Char>>& values, int boardSize) {
    std::vector<Tgp> stones;
    auto add = [&](int x, int y) {
        if (!r.spendEntries(1)) return;
        Tgp& p = stones.emplace_back();
        p.x = x;
        p.y = y;
    };
    for (const auto& value : pointListOrder(values)) {
        const PointValue<Char> pv{value};
        if (pv.isRectangle()) {
            pv.forEachInRectangle(boardSize, add);
        } else {
            for (std::size_t i = 0; i + 1 < value.size(); i += 2)
                add(coordinateOnBoard(value[i], boardSize),
                    coordinateOnBoard(value[i + 1], boardSize));
        }
        if (r.failed()) return;
    }
    (colour > 0 ? n.blackSetup : n.whiteSetup) = std::move(stones);
}

// Triangle or square marks, in the order written: markup entries whose label is the mark.
// Single points keep their two characters as read; rectangles give points on the board.
template <class Char, class KeyOf>
void applyMarkList(SyntaxReader<Char>& r, Node& n, char16_t mark,
                   const std::vector<std::basic_string<Char>>& values, int boardSize, KeyOf keyOf) {
    for (const auto& value : values) {
        const PointValue<Char> pv{value};
        if (pv.isRectangle()) {
            pv.forEachInRectangle(boardSize, [&](int x, int y) {
                if (r.spendEntries(1))
                    addMarkup(n, std::string{char('a' - 1 + x), char('a' - 1 + y)}, {mark});
            });
        } else {
            for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
                if (!r.spendEntries(1)) break;
                addMarkup(n, keyOf(std::basic_string_view<Char>(value).substr(i, 2)), {mark});
            }
        }
        if (r.failed()) return;
    }
}

// The labels "A".."Z", "a".."z", then "A" again, for the points of an "L" value.
inline char16_t nthLabelLetter(std::size_t i) {
    const std::size_t k = i % 52;
    return static_cast<char16_t>(k < 26 ? u'A' + k : u'a' + (k - 26));
}

// "HA": the black setup stones of the handicap count (10 when the value is not a number, which
// gives none), unless the node has black setup stones already.
template <class Char>
void applyHandicapValue(SyntaxReader<Char>& r, Node& n, std::string_view value) {
    if (!n.blackSetup.empty()) return;
    std::vector<Tgp> stones = recordHandicapPoints(toIntDef(value, 10));
    if (r.spendEntries(stones.size())) n.blackSetup = std::move(stones);
}

// "SZ": the number (19 when not a number), and 19 for sizes below 3 or above 19.
inline int boardSizeOf(std::string_view value) {
    const int n = toIntDef(value, 19);
    return n < 3 || n >= 20 ? 19 : n;
}

}  // namespace veld::sgf
