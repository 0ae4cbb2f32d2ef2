#include "go/sgf_standard.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "go/record_info.h"
#include "go/sgf_reader.h"
#include "go/sgf_tree_text.h"
#include "go/tree.h"
#include "protocol/text_table.h"

namespace veld {
namespace {

using test::treeText;

RecordInfo sampleInfo() {
    RecordInfo info;
    info.setBlackName(u"黑 ]\\");
    info.setWhiteName(u"White");
    info.setBlackRank(u"9d");
    info.setEventName(u"Cup");
    info.date = "2009-03-07";
    info.setResultCode("W+3.5", TextTable::builtIn());
    info.komi = "6.5";
    info.handicap = 2;
    info.boardSize = 13;
    return info;
}

TEST(StandardWriter, WritesGameInformationAndTheTree) {
    auto root = std::make_unique<Node>();
    addSetupStone(*root, kBlack, 4, 4);
    addSetupStone(*root, kBlack, 10, 10);
    Node& b = addMove(*root, kBlack, 3, 3);
    addMarkup(b, "cc", u"A:]");
    addMarkup(b, "dd", std::u16string(1, kTriangleMark));
    addMarkup(b, "ee", std::u16string(1, kSquareMark));
    addMarkup(b, "ff", std::u16string(1, kTriangleMark));
    b.comment = u"x]y\\z";
    addMove(b, kWhite, 0, 0);
    addMove(b, kWhite, 5, 5);
    EXPECT_EQ(writeStandardSgf(*root, sampleInfo()),
              "(;FF[4]CA[UTF-8]GM[1]SZ[13]PB[\xE9\xBB\x91 \\]\\\\]PW[White]BR[9d]EV[Cup]"
              "DT[2009-03-07]RE[W+3.5]KM[6.5]HA[2]\n"
              "AB[dd][jj];B[cc]LB[cc:A\\:\\]]TR[dd][ff]SQ[ee]C[x\\]y\\\\z]\n"
              "(;W[])\n"
              "(;W[ee]))\n");
}

TEST(StandardWriter, ReadsBackAsPlainSgf) {
    const std::string original =
        "(;SZ[13]PB[中]AB[aa][bb:cc]AW[mm]C[a\\]b];B[cc]LB[cc:Q]TR[dd]SQ[ee](;W[];B[])(;W[dd]))";
    const SgfReadResult first = readPlainSgf(original);
    ASSERT_TRUE(first.ok());
    const RecordInfo info = RecordInfo::fromRoot(*first.root, first.boardSize, false);
    const SgfReadResult again = readPlainSgf(writeStandardSgf(*first.root, info));
    ASSERT_TRUE(again.ok()) << again.error;
    EXPECT_EQ(again.boardSize, 13);
    EXPECT_EQ(lookupProperty(*again.root, "PB"), u"中");
    EXPECT_EQ(treeText(*again.root, {.sortSetup = true}),
              treeText(*first.root, {.sortSetup = true}));
}

}  // namespace
}  // namespace veld
