#include "protocol/fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace veld {
namespace {

TEST(TextFields, LinesAndSpaces) {
    EXPECT_EQ(flattenLines(u"a\r\nb\nc\rd"), u"a  b c d");
    EXPECT_EQ(flattenLines(u""), u"");
    EXPECT_EQ(trimSpacesW(u"  中 文\t "), u"中 文\t");  // only U+0020 is trimmed
    EXPECT_EQ(trimSpacesW(u"\u3000a\u3000"), u"\u3000a\u3000");
    EXPECT_EQ(trimSpacesW(u"   "), u"");
    EXPECT_EQ(trimSpacesW(u""), u"");
}

TEST(TextFields, FixedWidth) {
    EXPECT_EQ(padRight("abc", 5), "abc  ");
    EXPECT_EQ(padRight("abcdefghijkl", 10), "abcdefghij");
    EXPECT_EQ(padRight("", 3), "   ");
    EXPECT_EQ(padZero("123", 2), "12");  // a longer text keeps its start
    EXPECT_EQ(padZero("5", 2), "05");
    EXPECT_EQ(padZero("", 3), "000");
    EXPECT_EQ(padZero("7", 0), "");
}

TEST(TextFields, DigitsOrOne) {
    EXPECT_EQ(digitsOrOne("0123"), "0123");
    EXPECT_EQ(digitsOrOne(""), "");
    for (const char* bad : {"12a", " 1", "-1", "1.5", "\xA4\x40"}) EXPECT_EQ(digitsOrOne(bad), "1");
}

TEST(TextFields, IntegersFallBackToTheDefault) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"42", 42},
        {"-17", -17},
        {"+8", 8},
        {"  12", 12},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", -1},
        {"   ", -1},
        {"12 ", -1},
        {"1.5", -1},
        {"0x10", -1},
        {"abc", -1},
        {"+", -1},
        {"+-3", -1},
        {"2147483648", -1},
        {"99999999999999999999", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(toIntDef(c.text, -1), c.value) << '"' << c.text << '"';
}

TEST(TextFields, RealsFallBackToTheDefault) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"5.5", 5.5}, {"-0.25", -0.25}, {"+3", 3.0},    {" 6.5 ", 6.5}, {".5", 0.5},
        {"2.", 2.0},  {"1e3", 1000.0},  {"1E-2", 0.01}, {"", 9.0},      {".", 9.0},
        {"1e", 9.0},  {"inf", 9.0},     {"nan", 9.0},   {"0x1p3", 9.0}, {"1,5", 9.0},
        {"+-1", 9.0}, {"1e999", 9.0},   {"5.5B", 9.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(toFloatDef(c.text, 9.0), c.value) << '"' << c.text << '"';
}

// Every token of s from position 1, and the position after each call.
std::vector<std::pair<std::string, std::size_t>> tokens(std::string_view s) {
    std::vector<std::pair<std::string, std::size_t>> out;
    std::size_t pos = 1;
    for (;;) {
        const std::size_t before = pos;
        std::string token = nextToken(s, pos);
        out.emplace_back(std::move(token), pos);
        if (pos == before) return out;
    }
}

TEST(TextFields, NextTokenLeavesPosUnchangedOnTheLastToken) {
    using Tokens = std::vector<std::pair<std::string, std::size_t>>;
    EXPECT_EQ(tokens("ab cd"), (Tokens{{"ab", 4}, {"cd", 4}}));
    EXPECT_EQ(tokens("ab  cd"), (Tokens{{"ab", 4}, {"", 5}, {"cd", 5}}));
    EXPECT_EQ(tokens("ab "), (Tokens{{"ab", 4}, {"", 4}}));  // pos beyond the end
    EXPECT_EQ(tokens(" x"), (Tokens{{"", 2}, {"x", 2}}));
    EXPECT_EQ(tokens("solo"), (Tokens{{"solo", 1}}));
    EXPECT_EQ(tokens(""), (Tokens{{"", 1}}));

    std::size_t pos = 99;
    EXPECT_EQ(nextToken("ab cd", pos), "");
    EXPECT_EQ(pos, 99u);
    pos = 0;  // read as the first byte
    EXPECT_EQ(nextToken("ab cd", pos), "ab");
    EXPECT_EQ(pos, 4u);
}

TEST(TextFields, DocFilePathIsBelowTheProgramFolder) {
    EXPECT_EQ(docFilePath("/opt/veld", "playerlist"),
              std::filesystem::path("/opt/veld/doc/playerlist.txt"));
}

}  // namespace
}  // namespace veld
