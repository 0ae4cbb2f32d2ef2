#include "go/sgf_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "go/sgf_reader.h"
#include "go/sgf_tree_text.h"
#include "protocol/text_table.h"
#include "protocol/wire.h"

namespace veld {
namespace {

using test::treeText;

Node& play(Node& at, int colour, int x, int y) {
    return addMove(at, colour, x, y);
}

// root: mark and label, two black stones, a comment
//  └ B pd ─┬ W dp (blank comment) ─ B pass
//          └ W dd (voice)
struct Record {
    std::unique_ptr<Node> root = std::make_unique<Node>();
    Node& b = play(*root, kBlack, 16, 4);
    Node& w1 = play(b, kWhite, 4, 16);
    Node& pass = play(w1, kBlack, 0, 0);
    Node& w2 = play(b, kWhite, 4, 4);

    Record() {
        addMarkup(*root, "pd", u"A");
        addMarkup(*root, "dd", std::u16string(1, kTriangleMark));
        addSetupStone(*root, kBlack, 1, 1);
        addSetupStone(*root, kBlack, 2, 2);
        addSetupStone(*root, kWhite, 3, 3);
        root->comment = u"hi";
        w1.comment = u"  ";
        w2.voice = "x]z";
    }
};

std::string source() {
    return "SO[" + wideToHex(TextTable::builtIn().uiText(170)) + "]";
}

TEST(RecordWriter, WritesEveryModeOnOneLine) {
    const std::vector<Tassox> props = {
        {"PB", "0041"}, {"KM", " 6.5\t"}, {"C", "x"}, {"DT", "20]09"}};
    const std::string root =
        "(;UX[1]PB[0041]KM[6.5]DT[2009]" + source() + "AM[pdA]AM[dd\x01]AB[aabb]AW[cc]";
    const struct {
        SgfWriteMode mode;
        std::string text;
    } cases[] = {
        {SgfWriteMode::Normal, root + "C[00680069];B[pd](;W[dp];B[])(;W[dd]))"},
        {SgfWriteMode::WithVoice, root + "C[00680069];B[pd](;W[dp];B[])(;W[dd]VC[3]VD[x]z]))"},
        {SgfWriteMode::WithoutComments, root + ";B[pd](;W[dp];B[])(;W[dd]))"},
    };
    for (const auto& c : cases) {
        Record r;
        EXPECT_EQ(writeRecordSgf(*r.root, c.mode, props), c.text);
    }
}

TEST(RecordWriter, RenumbersNodesInDocumentOrder) {
    Record r;
    writeRecordSgf(*r.root, SgfWriteMode::Normal, {});
    EXPECT_EQ(treeText(*r.root, {.withSequenceNumbers = true}).substr(0, 4), "(;#1");
    EXPECT_EQ(r.b.sequenceNumber, 2);
    EXPECT_EQ(r.w1.sequenceNumber, 3);
    EXPECT_EQ(r.pass.sequenceNumber, 4);
    EXPECT_EQ(r.w2.sequenceNumber, 5);
}

TEST(RecordWriter, ReadsBackTheSameTree) {
    Record r;
    addMarkup(r.b, "qq", u"]\\x");
    addMarkup(r.b, "rr", u"中");
    r.b.comment = u"a]b\\c\r\nd";
    const std::vector<Tassox> props = {{"SZ", "19"}};
    const std::string text = writeRecordSgf(*r.root, SgfWriteMode::WithVoice, props);
    const SgfReadResult back = readSgf(text);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_TRUE(back.hasVoice);
    r.w1.comment.clear();  // blank comments are not written
    EXPECT_EQ(treeText(*back.root, {.withSequenceNumbers = true}),
              treeText(*r.root, {.withSequenceNumbers = true}));
}

TEST(RecordWriter, EscapesOnlyMarkupValues) {
    auto root = std::make_unique<Node>();
    addMarkup(*root, "pd", u"A]\\");
    const std::string text = writeRecordSgf(*root, SgfWriteMode::Normal, {});
    EXPECT_NE(text.find("AM[pdA\\]\\\\]"), std::string::npos) << text;
    const SgfReadResult back = readSgf(text);
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back.root->markup.size(), 1u);
    EXPECT_EQ(back.root->markup[0], (Tasso{"pd", u"A]\\"}));
}

TEST(RecordWriter, DeepVariationsNeedNoStack) {
    auto root = std::make_unique<Node>();
    Node* at = root.get();
    for (int i = 0; i < 100'000; ++i) {
        play(*at, kBlack, 1, 1);
        at = &play(*at, kWhite, 2, 2);  // a second child: every level is a variation
    }
    const std::string text = writeRecordSgf(*root, SgfWriteMode::Normal, {});
    const SgfReadResult back = readSgf(text);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(treeText(*back.root), treeText(*root));
}

}  // namespace
}  // namespace veld
