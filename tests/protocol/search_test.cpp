#include "protocol/search.h"

#include <gtest/gtest.h>

#include <vector>

#include "protocol/text_table.h"

namespace veld {
namespace {

TEST(Search, ContainsAndMatchAt) {
    EXPECT_TRUE(containsW(u"幹", u"幹"));
    EXPECT_TRUE(containsW(u"ab", u"xxab"));  // at the last possible position
    EXPECT_TRUE(containsW(u"ab", u"abxx"));
    EXPECT_FALSE(containsW(u"AB", u"xxab"));  // case-sensitive
    EXPECT_FALSE(containsW(u"abc", u"ab"));
    EXPECT_FALSE(containsW(u"", u"abc"));  // an empty pattern must not match everything
    EXPECT_TRUE(containsW(u"", u""));

    EXPECT_TRUE(matchAtW(u"cd", u"abcd", 2));
    EXPECT_FALSE(matchAtW(u"cd", u"abcd", 1));
    EXPECT_FALSE(matchAtW(u"cde", u"abcd", 2));  // runs past the end
    EXPECT_FALSE(matchAtW(u"a", u"abcd", 9));
    EXPECT_TRUE(matchAtW(u"", u"abcd", 4));
}

TEST(Search, WordListTestsTheFirstFourWholeAndTheRestAnywhere) {
    const std::vector<std::u16string> list = {u"甲", u"乙", u"丙", u"丁", u"王八蛋", u""};
    EXPECT_TRUE(matchesWordList(u"乙", list));
    EXPECT_FALSE(matchesWordList(u"乙君", list));  // the first four must be the whole text
    EXPECT_TRUE(matchesWordList(u"你王八蛋啦", list));
    EXPECT_FALSE(matchesWordList(u"王八", list));
    EXPECT_FALSE(matchesWordList(u"好人", list));  // the empty entry matches nothing
    EXPECT_FALSE(matchesWordList(u"x", std::vector<std::u16string>{}));

    const auto& builtIn = TextTable::builtIn();
    EXPECT_TRUE(matchesWordList(u"我是王八蛋", builtIn.forbiddenWords()));
    EXPECT_FALSE(matchesWordList(u"圍棋高手", builtIn.forbiddenWords()));
}

TEST(Search, ListCharsAreTheFirstUnitOfEachEntry) {
    const std::vector<std::u16string> list = {u"@", u"", u"#x"};
    EXPECT_TRUE(containsListChar(u"a@b", list));
    EXPECT_TRUE(containsListChar(u"#", list));
    EXPECT_FALSE(containsListChar(u"x", list));  // only the first unit counts
    EXPECT_FALSE(containsListChar(u"", list));
}

TEST(Search, IndexInListIsExactAndFirst) {
    const std::vector<std::string> names = {"alice", "bob", "Bob", "bob"};
    EXPECT_EQ(indexInList(names, "bob"), 1u);
    EXPECT_EQ(indexInList(names, "Bob"), 2u);
    EXPECT_EQ(indexInList(names, "bo"), std::nullopt);
    EXPECT_EQ(indexInList({}, "bob"), std::nullopt);

    const std::vector<std::u16string> wide = {u"棋友", u"棋"};
    EXPECT_EQ(indexInListW(wide, u"棋"), 1u);
    EXPECT_EQ(indexInListW(wide, u"棋友們"), std::nullopt);
}

}  // namespace
}  // namespace veld
