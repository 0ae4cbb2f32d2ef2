// Board points as the wire carries them: one lower-case letter per coordinate ('a' = 1), x (the
// column) first. A stone code folds black into x: x + 19 for a black stone.
//
// Short input is never read past its end: a missing letter reads as coordinate 0 (no point)
// and a missing colour letter as "not black".
#pragma once

#include <string>
#include <string_view>

namespace veld {

// 1-based coordinates; 0 means "none".
struct BoardPoint {
    int x = 0;
    int y = 0;

    bool operator==(const BoardPoint&) const = default;
};

struct StonePoint {
    BoardPoint point;
    bool black = false;

    bool operator==(const StonePoint&) const = default;
};

// The character with code n + 96 ('a' for 1); only 1..26 give letters.
char numberToLetter(int n);
// The code of c (read as unsigned) minus 96.
int letterToNumber(char c);

std::string pointCode(int x, int y);
std::string pointCode(BoardPoint p);
// The point of the first two letters of s.
BoardPoint pointOf(std::string_view s);

// s is a point code followed by a colour letter; "B" adds 19 to x. Two letters.
std::string stoneCode(std::string_view s);
// The point of a stone code: x of 20 or more is black and reduced by 19.
StonePoint stoneOf(std::string_view s);
// The plain point code of a stone code.
std::string pointOfStone(std::string_view s);

}  // namespace veld
