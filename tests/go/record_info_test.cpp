#include "go/record_info.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "go/sgf_reader.h"
#include "protocol/text_table.h"

namespace veld {
namespace {

TEST(ResultDisplayText, ByCode) {
    const struct {
        std::string code;
        std::u16string text;
    } cases[] = {
        {"", u""},
        {"B", u""},
        {"B+", u"黑勝"},
        {"W+", u"白勝"},
        {"B+R", u"黑中盤勝"},
        {"w+R", u"白中盤勝"},
        {"W+T", u"白裁定勝"},
        {"B+S", u"黑打掛"},
        {"W+3.5", u"白3.5目勝"},
        {"B+ 12 ", u"黑12目勝"},
        {"B+r", u"黑r目勝"},
        {"E+", u"待決"},
        {"X+1", u"結果"},
        {"0", u""},
        {"Jigo", u"Jigo"},
        {"\xA4\xA4\xA4\xA4", u"中中"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultDisplayText(c.code, TextTable::builtIn()), c.text) << c.code;
}

TEST(RecordInfo, FromRootProperties) {
    const SgfReadResult r =
        readPlainSgf("(;SZ[13]EV[ Cup ]PB[ 中 ]PW[W]BR[31k]WR[ 3d ]RE[B+R]DT[2009]HA[3]FR[1])");
    ASSERT_TRUE(r.ok());
    const RecordInfo info = RecordInfo::fromRoot(*r.root, 9, true);
    EXPECT_EQ(info.eventName, u"Cup");
    EXPECT_EQ(info.eventWritten, "004300750070");
    EXPECT_EQ(info.blackName, u"中");
    EXPECT_EQ(info.blackNameWritten, "4E2D");
    EXPECT_EQ(info.blackRank, u"NR");
    EXPECT_EQ(info.whiteRank, u"3d");
    EXPECT_EQ(info.whiteRankWritten, "3d");
    EXPECT_EQ(info.resultCode, "B+R");
    EXPECT_EQ(info.resultText, u"黑中盤勝");
    EXPECT_EQ(info.date, "2009");
    EXPECT_EQ(info.komi, "0");
    EXPECT_EQ(info.handicap, 3);  // "HA" when there is no "HD"
    EXPECT_EQ(info.freeGame, 1);
    EXPECT_EQ(info.boardSize, 9);  // the reader's size wins over "SZ"
    EXPECT_TRUE(info.hasVoice);
}

TEST(RecordInfo, HandicapPrefersHD) {
    const SgfReadResult r = readPlainSgf("(;HA[3]HD[2]KM[6.5])");
    ASSERT_TRUE(r.ok());
    const RecordInfo info = RecordInfo::fromRoot(*r.root, 19, false);
    EXPECT_EQ(info.handicap, 2);
    EXPECT_EQ(info.komi, "6.5");
}

TEST(RecordInfo, RootPropertiesInOrder) {
    RecordInfo info;
    info.setEventName(u"E");
    info.setBlackName(u"B");
    info.setWhiteName(u"W");
    info.setBlackRank(u"中");
    info.setWhiteRank(u"1k");
    info.date = "D";
    info.setResultCode("W+R", TextTable::builtIn());
    info.komi = "6.5";
    info.boardSize = 13;
    using List = std::vector<Tassox>;
    const List base = {{"EV", "0045"},     {"PB", "0042"}, {"PW", "0057"},
                       {"BR", "\xA4\xA4"}, {"WR", "1k"},   {"DT", "D"},
                       {"RE", "W+R"},      {"KM", "6.5"},  {"SZ", "13"}};
    EXPECT_EQ(info.rootProperties(), base);

    info.hasVoice = true;
    info.blackMainLeft = 300;
    EXPECT_EQ(info.rootProperties().front(), (Tassox{"VR", "1"}));
    EXPECT_EQ(info.rootProperties().size(), base.size() + 1);  // one clock alone is not written
    info.whiteMainLeft = 120;
    const List withClocks = info.rootProperties();
    ASSERT_EQ(withClocks.size(), base.size() + 3);
    EXPECT_EQ(withClocks[withClocks.size() - 2], (Tassox{"BL", "300"}));
    EXPECT_EQ(withClocks.back(), (Tassox{"WL", "120"}));
}

}  // namespace
}  // namespace veld
