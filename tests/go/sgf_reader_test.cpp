#include "go/sgf_reader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "go/sgf_tree_text.h"
#include "go/tree.h"

namespace veld {
namespace {

using test::treeText;

struct TreeCase {
    std::string_view text;
    std::string_view tree;  // treeText of the record read
    int boardSize = 19;
};

void expectTrees(std::initializer_list<TreeCase> cases) {
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.text);
        const SgfReadResult r = readPlainSgf(c.text);
        ASSERT_TRUE(r.ok()) << r.error << " at " << r.errorAt.line << ":" << r.errorAt.column;
        EXPECT_EQ(treeText(*r.root), c.tree);
        EXPECT_EQ(r.boardSize, c.boardSize);
        EXPECT_FALSE(r.hasVoice);
    }
}

TEST(PlainReading, Syntax) {
    expectTrees({
        // Off-board moves go to (N, N); "tt" and an empty value are passes.
        {"(;SZ[9];B[ee];W[zz];B[tt];W[])", "(;;B[ee];W[ii];B[];W[])", 9},
        {"(;B[aa](;W[bb];B[cc])(;W[dd]))", "(;B[aa](;W[bb];B[cc])(;W[dd]))"},
        {" junk ( ; B [aa] \n ; W[bb] ) trailing", "(;B[aa];W[bb])"},
        // Properties after a node's closing special character are not read.
        {"(;B[aa]](;W[bb]))", "(;B[aa])"},
        // Truncated text: what was read stays.
        {"(;B[aa];W[bb", "(;B[aa];W[bb])"},
        {"(;SZ[25])", "(;)", 19},
        {"(;SZ[])", "(;)", 19},
        {"(;SZ[2])", "(;)", 19},
        {"(;SZ[13])", "(;)", 13},
    });
}

TEST(PlainReading, Escapes) {
    expectTrees({
        {"(;GM[1]C[a\\]b])", "(;C[a]b])"},
        {"(;C[a\\\\b])", "(;C[a\\b])"},
        {"(;C[a\\xb\\:c])", "(;C[axb:c])"},
        {"(;C[a\\\nb\\\r\nc])", "(;C[abc])"},
        {"(;C[line\nbreak])", "(;C[line\nbreak])"},
        {"(;LB[a\\]:X])", "(;M[a]:X])"},
    });
}

TEST(PlainReading, PointLists) {
    expectTrees({
        // Further values first, the first value last.
        {"(;AB[pd][dp])", "(;AB[dp pd])"},
        {"(;AB[dppd])", "(;AB[dp pd])"},
        {"(;AB[pd]\n [dp]\t[dd])", "(;AB[dp dd pd])"},
        {"(;AB[aa:bb]AW[cc:cc])", "(;AB[aa ab ba bb]AW[cc])"},
        {"(;AB[bb:aa])", "(;AB[aa ab ba bb])"},
        {"(;SZ[5]AB[dd:zz])", "(;AB[dd de ed ee])", 5},
        {"(;AB[zz]AW[az])", "(;AB[ss]AW[as])"},
        {"(;AB[aa]AB[bb])", "(;AB[bb])"},
        {"(;AddBlack[aa]AddWhite[bb]Comment[c])", "(;AB[aa]AW[bb]C[c])"},
        {"(;TR[aa][bb]SQ[cc:dc])", "(;M[aa:^T]M[bb:^T]M[cc:^S]M[dc:^S])"},
    });
}

TEST(PlainReading, Labels) {
    expectTrees({
        {"(;LB[pd:Ab])", "(;M[pd:A])"},
        {"(;LB[aa:A][bb:B]\n[cc:C])", "(;M[aa:A]M[bb:B]M[cc:C])"},
        {"(;LB[aa:A]GN[x][bb:B])", "(;M[aa:A])"},
        {"(;AM[pdXY])", "(;M[pd:XY])"},
        {"(;L[aabbcc])", "(;M[aa:A]M[bb:B]M[cc:C])"},
    });
}

TEST(PlainReading, Handicap) {
    expectTrees({
        {"(;HA[2])", "(;AB[pd dp])"},
        {"(;HA[2]AB[aa])", "(;AB[aa])"},
        // Stones set up before HA are kept.
        {"(;AB[aa]HA[2])", "(;AB[aa])"},
        {"(;HA[x])", "(;)"},
    });
}

TEST(PlainReading, KeepsOtherPropertiesOnTheirNode) {
    const SgfReadResult r = readPlainSgf("(;GM[1]PB[Black]HA[2]SZ[19]XX[?];B[aa]PW[no])");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(lookupProperty(*r.root, "PB"), u"Black");
    EXPECT_EQ(lookupProperty(*r.root, "HA"), u"2");
    EXPECT_EQ(lookupProperty(*r.root, "XX"), u"?");
    EXPECT_EQ(lookupProperty(*r.root, "PW"), u"");
    EXPECT_EQ(lookupProperty(*r.root->firstChild, "PW"), u"no");
}

TEST(PlainReading, NumbersNodesInDocumentOrder) {
    const SgfReadResult r = readPlainSgf("(;B[aa](;W[bb];B[cc])(;W[dd]))");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(treeText(*r.root, {.withSequenceNumbers = true}),
              "(;#1B[aa](;#2W[bb];#3B[cc])(;#4W[dd]))");
}

TEST(PlainReading, FailuresSayWhereAndWhy) {
    const struct {
        std::string_view text;
        std::string_view reason;  // part of the error
        TextPosition at;
    } cases[] = {
        {"(;B[abc])", "B[abc]", {1, 3}},
        {"(;SZ[9]\r\n;B[aa]\n ;W[a])", "W[a]", {3, 3}},
        {"(;B[aa] w[bb] \tW[b])", "W[b]", {1, 16}},
        {"", "no game tree", {1, 1}},
        {"no tree here", "no game tree", {1, 13}},
        {"];(;B[aa])", "no game tree", {1, 1}},
        {"(B[aa])", "no game tree", {1, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SgfReadResult r = readPlainSgf(c.text);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
        EXPECT_EQ(r.errorAt, c.at);
    }
}

TEST(RecordReading, DialectProperties) {
    const struct {
        std::string_view text;
        std::string_view tree;
    } cases[] = {
        // A value of another length is no move, not an error; an empty one is a pass.
        {"(;UX[1];B[a];W[];B[tt];W[abc])", "(;;;W[];B[];)"},
        {"(;UX[1];C[00610062005D])", "(;;C[ab]])"},
        {"(;UX[1];AM[pdA\\]B]AM[pda\\b]AM[pd\\\\])", "(;;M[pd:A]B]M[pd:a\\b]M[pd:\\])"},
        {"(;UX[1];LB[pd:Ab]L[aabb])", "(;;M[pd:A]M[aa:A]M[bb:B])"},
        {"(;UX[1];AB[dppd]AW[aa][bb]TR[cc][dd])", "(;;AB[dp pd]AW[bb aa]M[cc:^T]M[dd:^T])"},
        // The first "]" ends every other value, backslash or not.
        {"(;UX[1];GC[a\\]B[cc])", "(;;B[cc])"},
    };
    for (const auto& c : cases) {
        const SgfReadResult r = readRecordSgf(c.text);
        ASSERT_TRUE(r.ok()) << c.text << ": " << r.error;
        EXPECT_EQ(treeText(*r.root), c.tree) << c.text;
    }
}

TEST(RecordReading, HexTextsAndCodePageValues) {
    const SgfReadResult r = readRecordSgf("(;UX[1]EV[0041]PB[4E2D]PW[0042]BR[\xA4\xA4]SZ[13])");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(lookupProperty(*r.root, "EV"), u"A");
    EXPECT_EQ(lookupProperty(*r.root, "PB"), u"中");
    EXPECT_EQ(lookupProperty(*r.root, "PW"), u"B");
    EXPECT_EQ(lookupProperty(*r.root, "BR"), u"中");
    EXPECT_EQ(r.boardSize, 13);
}

TEST(RecordReading, VoiceIsCountedBytes) {
    // The voice may hold any byte, "]" and ")" included.
    const std::string voice("a])\0]", 5);
    const std::string text = "(;UX[1];VC[5]VD[" + voice + "]C[0063];B[aa])";
    const SgfReadResult r = readRecordSgf(text);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.hasVoice);
    EXPECT_EQ(r.root->firstChild->voice, voice);
    EXPECT_EQ(treeText(*r.root).substr(0, 3), "(;;");
    EXPECT_EQ(r.root->firstChild->comment, u"c");
    ASSERT_TRUE(r.root->firstChild->firstChild);
    EXPECT_EQ(r.root->firstChild->firstChild->x, 1);
}

TEST(RecordReading, VoiceCountBeyondTheEndTakesWhatIsThere) {
    const SgfReadResult r = readRecordSgf("(;UX[1];VC[999999]VD[abc");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.root->firstChild->voice, "abc");
    const SgfReadResult negative = readRecordSgf("(;UX[1];VC[-5]VD[]B[aa])");
    ASSERT_TRUE(negative.ok());
    EXPECT_TRUE(negative.root->firstChild->voice.empty());
}

TEST(Reading, ChoosesTheReaderByTheMarker) {
    EXPECT_TRUE(isRecordDialect("(;UX[1]"));
    EXPECT_FALSE(isRecordDialect("(; UX[1]"));
    EXPECT_FALSE(isRecordDialect("(;UX[1"));
    // The same node: a failure in the plain reader, no move in the dialect.
    EXPECT_FALSE(readSgf("(;GM[1];B[a])").ok());
    EXPECT_TRUE(readSgf("(;UX[1];B[a])").ok());
    EXPECT_EQ(readSgf("(;UX[1]C[0061])").root->comment, u"a");
    EXPECT_EQ(readSgf("(;GM[1]C[0061])").root->comment, u"0061");
}

TEST(Reading, DeepNestingNeedsNoStack) {
    constexpr int kDepth = 100'000;
    std::string text;
    for (int i = 0; i < kDepth; ++i) text += i % 2 ? "(;W[bb]" : "(;B[aa]";
    text += std::string(kDepth, ')');
    for (const std::string& t : {text, "(;UX[1]" + text.substr(2)}) {
        const SgfReadResult r = readSgf(t);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(mainLineLength(*r.root), kDepth - 1);
    }
}

TEST(Reading, LimitsTheNodesOfOneGame) {
    std::string text = "(";
    for (int i = 0; i <= sgf::kMaxNodesPerTree; ++i) text += ';';
    const SgfReadResult r = readPlainSgf(text + ")");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("too many nodes"), std::string::npos);
}

TEST(Reading, LimitsTheEntriesOfOneGame) {
    std::string text = "(;AB";
    for (std::size_t i = 0; i <= sgf::kMaxEntriesPerTree / 361; ++i) text += "[aa:ss]";
    const SgfReadResult r = readPlainSgf(text + ")");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("too many"), std::string::npos);
}

TEST(Collection, ReadsEveryGameWithItsOwnResult) {
    const auto games =
        readSgfCollection("(;SZ[9]B[aa])\n(;B[abc])\n(;W[bb](;B[cc])(;B[dd]))junk(;C[last])");
    ASSERT_EQ(games.size(), 4u);
    EXPECT_TRUE(games[0].ok());
    EXPECT_EQ(games[0].boardSize, 9);
    EXPECT_FALSE(games[1].ok());
    EXPECT_EQ(games[1].errorAt, (TextPosition{2, 3}));
    ASSERT_TRUE(games[2].ok());
    EXPECT_EQ(treeText(*games[2].root), "(;W[bb](;B[cc])(;B[dd]))");
    EXPECT_EQ(games[2].boardSize, 19);
    EXPECT_EQ(games[2].root->sequenceNumber, 1);
    ASSERT_TRUE(games[3].ok());
    EXPECT_EQ(games[3].root->comment, u"last");
}

TEST(Collection, AFailedGameEndsAtItsClosingParenthesis) {
    const auto games = readSgfCollection("(;B[aa](;W[b])(;W[cc]))(;B[dd])");
    ASSERT_EQ(games.size(), 2u);
    EXPECT_FALSE(games[0].ok());
    ASSERT_TRUE(games[1].ok());
    EXPECT_EQ(treeText(*games[1].root), "(;B[dd])");
}

TEST(Collection, TextWithoutGamesGivesOneFailure) {
    const auto games = readSgfCollection("nothing");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_FALSE(games[0].ok());
}

TEST(Collection, RecordDialectGamesOneAfterAnother) {
    const auto games = readSgfCollection("(;UX[1];B[aa]C[0061])(;UX[1];VC[1]VD[)]W[bb])");
    ASSERT_EQ(games.size(), 2u);
    ASSERT_TRUE(games[1].ok());
    EXPECT_TRUE(games[1].hasVoice);
    EXPECT_FALSE(games[0].hasVoice);
    EXPECT_EQ(treeText(*games[1].root), "(;;W[bb]V[)])");
}

}  // namespace
}  // namespace veld
