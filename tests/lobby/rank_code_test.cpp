// The rank code: texts, labels and values across the whole byte range, and the way back.
#include <gtest/gtest.h>

#include "protocol/rank_code.h"

namespace veld {
namespace {

TEST(RankCode, TextsAndValuesAcrossTheCodeRange) {
    struct Case {
        int code;
        const char* text;
        const char* label;
        int value;
    };
    const Case cases[] = {
        {0, "26k", "26k", 0},     {1, "25k", "25k", 1},      {25, "1k", "1k", 25},
        {26, "1d", "1d", 26},     {34, "9d", "9d", 34},      {35, "1p", "1p", 35},
        {43, "9p", "9p", 43},     {44, "", "", 44},          {49, "", "", 49},
        {50, "31k", "NR", -5},    {51, "30k", "30k", -4},    {55, "26k", "26k", 0},
        {56, "27k", "27k", 56},   {100, "71k", "71k", 100},  {101, "25k*", "25k*", 1},
        {126, "1d*", "1d*", 26},  {144, "*", "*", 44},       {150, "31k*", "31k*", -5},
        {155, "26k*", "26k*", 0}, {156, "27k*", "27k*", 56}, {255, "126k*", "126k*", 155},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const auto code = static_cast<std::uint8_t>(c.code);
        EXPECT_EQ(rankCodeToText(code), c.text);
        EXPECT_EQ(rankCodeToLabel(code), c.label);
        EXPECT_EQ(rankCodeToValue(code), c.value);
        EXPECT_EQ(isEstablished(code), c.code > 100);
    }
    EXPECT_EQ(rankCodeToText(std::string_view()), "17k");
    EXPECT_EQ(rankCodeToText(std::string_view("\x1A")), "1d");
}

TEST(RankCode, StrongerFollowsTheRankOrder) {
    // 9p > 1p > 9d > 1d > 1k > 25k > 26k > 31k, established or not.
    const std::uint8_t order[] = {43, 135, 34, 126, 25, 1, 0, 150};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_TRUE(isStronger(order[i], order[i + 1])) << int(order[i]);
        EXPECT_FALSE(isStronger(order[i + 1], order[i])) << int(order[i]);
    }
    EXPECT_FALSE(isStronger(126, 26));
}

TEST(RankCode, TextToCode) {
    struct Case {
        const char* text;
        bool established;
        int code;
    };
    const Case cases[] = {
        {"3d", false, 28},  {"3d", true, 128},  {"NR", false, 50}, {"NR", true, 150},
        {"31k", false, 50}, {"26k", false, 55}, {"1d", false, 26}, {"1k", false, 25},
        {"9p", false, 43},  {"x", false, 26},   {"", false, 26},   {"xk", false, 25},
        {"3x", false, 26},  {"30k", false, 51}, {"25k", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(rankTextToCode(c.text, c.established), c.code);
    }
    // A long number must not overflow.
    (void)rankTextToCode("99999999999999999999k", false);
}

TEST(RankCode, EveryRatedTextReadsBackToItsCode) {
    for (int code = 0; code <= 43; ++code) {
        const std::string text = rankCodeToText(static_cast<std::uint8_t>(code));
        const int back = code == 0 ? 55 : code;  // "26k" has two codes; the text gives 55
        EXPECT_EQ(rankTextToCode(text, false), back) << text;
    }
}

}  // namespace
}  // namespace veld
