#include "protocol/points.h"

namespace veld {

namespace {

constexpr int kLetterBase = 96;  // 'a' - 1
constexpr int kBlackOffset = 19;

int letterAt(std::string_view s, std::size_t i) {
    return i < s.size() ? letterToNumber(s[i]) : 0;
}

}  // namespace

char numberToLetter(int n) {
    return static_cast<char>(n + kLetterBase);
}

int letterToNumber(char c) {
    return static_cast<unsigned char>(c) - kLetterBase;
}

std::string pointCode(int x, int y) {
    return {numberToLetter(x), numberToLetter(y)};
}

std::string pointCode(BoardPoint p) {
    return pointCode(p.x, p.y);
}

BoardPoint pointOf(std::string_view s) {
    return {letterAt(s, 0), letterAt(s, 1)};
}

std::string stoneCode(std::string_view s) {
    BoardPoint p = pointOf(s);
    if (s.size() > 2 && s[2] == 'B') p.x += kBlackOffset;
    return pointCode(p);
}

StonePoint stoneOf(std::string_view s) {
    StonePoint stone{pointOf(s), false};
    if (stone.point.x >= kBlackOffset + 1) {
        stone.point.x -= kBlackOffset;
        stone.black = true;
    }
    return stone;
}

std::string pointOfStone(std::string_view s) {
    return pointCode(stoneOf(s).point);
}

}  // namespace veld
