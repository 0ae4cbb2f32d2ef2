#include "protocol/points.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

using namespace std::string_literals;

TEST(PointCodes, LettersCountFromA) {
    EXPECT_EQ(numberToLetter(1), 'a');
    EXPECT_EQ(numberToLetter(19), 's');
    EXPECT_EQ(letterToNumber('a'), 1);
    EXPECT_EQ(letterToNumber('\xFF'), 255 - 96);  // read unsigned
    EXPECT_EQ(pointCode(3, 16), "cp");
    EXPECT_EQ(pointOf("cp"), (BoardPoint{3, 16}));
    EXPECT_EQ(pointOf("cpB"), (BoardPoint{3, 16}));
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) EXPECT_EQ(pointOf(pointCode(x, y)), (BoardPoint{x, y}));
    }
}

TEST(PointCodes, StoneCodesFoldBlackIntoX) {
    struct Case {
        std::string text;  // point code + colour letter
        std::string stone;
        StonePoint decoded;
    };
    const Case cases[] = {
        {"cpB", "vp", {{3, 16}, true}},      {"cpW", "cp", {{3, 16}, false}},
        {"asB", "ts", {{1, 19}, true}},       // x = 20 is the first black column
        {"ssB", "\x86s"s, {{19, 19}, true}},  // 38 + 96
        {"aab", "aa", {{1, 1}, false}},       // only an upper-case "B" is black
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(stoneCode(c.text), c.stone);
        EXPECT_EQ(stoneOf(c.stone), c.decoded);
        EXPECT_EQ(pointOfStone(c.stone), c.text.substr(0, 2));
    }
}

TEST(PointCodes, ShortInputReadsMissingLettersAsZero) {
    EXPECT_EQ(pointOf(""), (BoardPoint{0, 0}));
    EXPECT_EQ(pointOf("c"), (BoardPoint{3, 0}));
    EXPECT_EQ(stoneCode("cp"), "cp");  // no colour letter: not black
    EXPECT_EQ(stoneCode("c"), "c`");
    EXPECT_EQ(stoneOf(""), (StonePoint{{0, 0}, false}));
    EXPECT_EQ(pointOfStone("v"), "c`");
}

}  // namespace
}  // namespace veld
