#include "protocol/result_text.h"

#include <gtest/gtest.h>

#include "protocol/text_table.h"

namespace veld {
namespace {

TEST(ResultSentence, NamesTheWinnerOrTheLoser) {
    struct Case {
        const char* code;
        std::u16string sentence;
    };
    const Case cases[] = {
        {"B+R", u"白子棄子投降"},
        {"W+R", u"黑子棄子投降"},
        {"B+T", u"白子逾時裁定敗"},
        {"W+T", u"黑子逾時裁定敗"},
        {"B+S", u"黑子打掛"},
        {"W+S", u"白子打掛"},
        {"B+5.5", u"黑子 勝5.5"},
        {"W+ 0.5 ", u"白子 勝0.5"},  // the rest is trimmed
        {"B+ R", u"白子棄子投降"},   // the reason is read after trimming
        {"B+", u"黑子 勝"},
        {"X+R", u"黑子棄子投降"},  // black wins only for "B"
        {"b+R", u"黑子棄子投降"},
        {"E+", u"\r\n本局交付裁決！"},
        {"E+R", u"\r\n本局交付裁決！"},
        {"", u""},
        {"B", u""},
        {"BR", u""},
        {"B-R", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultSentence(u"黑子", u"白子", c.code, TextTable::builtIn()), c.sentence)
            << c.code;
}

TEST(ResultSentence, TextsComeFromTheTableGiven) {
    const TextTable english = TextTable::fromText("294 wins by\n752 resigns\n", "", "");
    EXPECT_EQ(resultSentence(u"Kim ", u"Lee ", "W+R", english), u"Kim resigns");
    EXPECT_EQ(resultSentence(u"Kim", u"Lee", "W+12", english), u"Lee wins by12");
}

}  // namespace
}  // namespace veld
