#include "protocol/text_table.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

TEST(TextTable, BuiltInRows) {
    const TextTable& t = TextTable::builtIn();
    EXPECT_EQ(t.uiText(1), u"檔案");
    EXPECT_EQ(t.uiText(999), u"要求對局");
    EXPECT_EQ(t.uiText(526), u"登入失敗！請檢查匿名與密碼(注意大小寫 )");
    EXPECT_EQ(t.uiText(822), u"_");
    EXPECT_EQ(t.uiText(8), u"");  // not used by the client
    EXPECT_EQ(t.uiText(0), u"");
    EXPECT_EQ(t.uiText(1000), u"");
    int filled = 0;
    for (int row = 1; row <= TextTable::kRows; ++row) {
        const std::u16string& text = t.uiText(row);
        if (text.empty()) continue;
        ++filled;
        EXPECT_NE(text.front(), u' ') << row;  // the number and its space are never kept
    }
    EXPECT_EQ(filled, 294);
}

TEST(TextTable, WordLists) {
    const TextTable& t = TextTable::builtIn();
    ASSERT_EQ(t.forbiddenChars().size(), 142u);
    EXPECT_EQ(t.forbiddenChars().front(), u"瘋");
    EXPECT_EQ(t.forbiddenChars().back(), u"慘");
    EXPECT_EQ(std::count(t.forbiddenChars().begin(), t.forbiddenChars().end(), u"?"), 1);
    EXPECT_EQ(std::count(t.forbiddenChars().begin(), t.forbiddenChars().end(), u"屎"), 2);
    ASSERT_EQ(t.forbiddenWords().size(), 17u);
    EXPECT_EQ(t.forbiddenWords()[0], u"干");
    EXPECT_EQ(t.forbiddenWords()[16], u"賤貨");
}

TEST(TextTable, ParsesRowsAndTrimsWords) {
    const TextTable t = TextTable::fromText("002  leading space\r\n010 ten\nbad line\n1000 x\n",
                                            "a\n\nb\n", "  干  \n幹!\n");
    EXPECT_EQ(t.uiText(2), u" leading space");
    EXPECT_EQ(t.uiText(10), u"ten");
    EXPECT_EQ(t.forbiddenChars(), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(t.forbiddenWords(), (std::vector<std::u16string>{u"干", u"幹!"}));
}

}  // namespace
}  // namespace veld
