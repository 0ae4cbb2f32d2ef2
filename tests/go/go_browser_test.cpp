#include "go/go_browser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "go/diagram.h"
#include "go/go_browser_fixture.h"
#include "go/sgf_tree_text.h"
#include "go/tree.h"
#include "protocol/wire.h"

namespace veld {
namespace {

using test::picture;
using test::treeText;
using test::windowWith;

TEST(GoBrowserRecord, NewRecordSizes) {
    for (const auto& [asked, size] :
         {std::pair{9, 9}, {19, 19}, {3, 3}, {20, 19}, {25, 19}, {0, 19}}) {
        GoBrowser w;
        w.newRecord(asked);
        EXPECT_EQ(w.boardSize(), size) << asked;
        EXPECT_EQ(w.info.boardSize, size);
        EXPECT_EQ(&w.current(), &w.root());
        EXPECT_EQ(treeText(w.root()), "(;)");
    }
}

TEST(GoBrowserRecord, ResetRecordClearsTheRecordInformation) {
    auto w = windowWith("(;EV[Cup]PB[Black]BR[3d]PW[White]WR[31k]DT[2024]RE[W+R]KM[6.5];B[aa])");
    EXPECT_EQ(w->info.whiteRank, u"NR");
    w->resetRecord(13);
    EXPECT_EQ(w->boardSize(), 13);
    EXPECT_EQ(w->info.eventWritten, "New");
    EXPECT_EQ(w->info.eventName, u"");
    EXPECT_EQ(w->info.blackName, u"");
    EXPECT_EQ(w->info.whiteRankWritten, "");
    EXPECT_EQ(w->info.resultCode, "");
    EXPECT_EQ(w->info.resultText, u"");
    EXPECT_EQ(w->info.date, "");
    EXPECT_EQ(w->info.komi, "");
    EXPECT_EQ(treeText(w->root()), "(;)");
}

TEST(GoBrowserRecord, LoadFromText) {
    GoBrowser w;
    ASSERT_TRUE(w.loadFromText("(;SZ[9]PB[Shusaku]KM[0];B[ee];W[zz])"));
    EXPECT_EQ(w.boardSize(), 9);
    EXPECT_EQ(w.info.blackName, u"Shusaku");
    EXPECT_EQ(treeText(w.root()), "(;;B[ee];W[ii])");
    EXPECT_EQ(&w.current(), &w.root());
    EXPECT_EQ(w.loadError(), "");

    // A text that is no record leaves the record as it was and says why.
    EXPECT_FALSE(w.loadFromText("(;B[e])"));
    EXPECT_EQ(w.loadedText, "(;B[e])");
    EXPECT_NE(w.loadError(), "");
    EXPECT_EQ(w.loadErrorAt().line, 1);
    EXPECT_EQ(treeText(w.root()), "(;;B[ee];W[ii])");
    EXPECT_FALSE(w.loadFromText("nothing"));

    // The record dialect, with a voice recording.
    ASSERT_TRUE(w.loadFromText("(;UX[1]PB[" + wideToHex(u"黑") + "];B[aa]VC[3]VD[abc])"));
    EXPECT_TRUE(w.info.hasVoice);
    EXPECT_EQ(w.info.blackName, u"黑");
    EXPECT_EQ(w.boardSize(), 19);
}

TEST(GoBrowserRecord, AMoveAtTheRootIsOnTheBoard) {
    auto w = windowWith("(;B[dd]AW[ee];W[cc])");
    EXPECT_EQ(test::stoneList(w->board()), "dd:X ee:O");
    w->moveBy(1);
    w->moveBy(-1);
    EXPECT_EQ(test::stoneList(w->board()), "dd:X ee:O");
    EXPECT_EQ(w->checkInvariants(), "");
}

TEST(GoBrowserRecord, SaveAndLoadFiles) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("veld_go_browser_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    const auto path = folder / "record.sgf";

    auto w = windowWith("(;SZ[13]PB[B]PW[W]KM[5.5];B[aa]C[first];W[bb](;B[cc])(;B[dd]))");
    ASSERT_TRUE(w->saveToFile(path, SgfWriteMode::Normal));
    GoBrowser read;
    ASSERT_TRUE(read.loadFromFile(path));
    EXPECT_EQ(read.fileName, path);
    EXPECT_EQ(treeText(read.root()), treeText(w->root()));
    EXPECT_EQ(read.boardSize(), 13);
    EXPECT_EQ(read.info.komi, "5.5");
    EXPECT_EQ(read.recordText(SgfWriteMode::Normal), w->recordText(SgfWriteMode::Normal));
    EXPECT_EQ(w->recordText(SgfWriteMode::WithoutComments).find("C["), std::string::npos);

    EXPECT_FALSE(read.loadFromFile(folder / "missing.sgf"));
    EXPECT_EQ(read.fileName, path);
    EXPECT_FALSE(w->saveToFile(folder / "no folder" / "x.sgf", SgfWriteMode::Normal));
    std::filesystem::remove_all(folder);
}

TEST(GoBrowserRecord, RecordTextNumbersNodesForGotonode) {
    auto w = windowWith("(;SZ[9];B[aa];W[bb])");
    w->moveBy(2);
    w->playMove(3, 3, kBlack);
    EXPECT_EQ(w->current().sequenceNumber, 0);
    w->recordText(SgfWriteMode::Normal);
    EXPECT_EQ(w->current().sequenceNumber, 4);
    w->moveBy(-999);
    ASSERT_TRUE(w->Gotonode(4));
    EXPECT_EQ(w->current().x, 3);
}

// A quarter turn clockwise: (x, y) to (N + 1 - y, x), for moves, setup stones, marks and every
// variation; passes stay passes. The record then replays as the turned game.
TEST(GoBrowserRecord, RotateRecord) {
    auto w = windowWith("(;SZ[9]AB[ba]AW[ca]AM[aa^];B[ab];W[];B[cc]C[x](;W[ia])(;W[ii]))");
    w->moveBy(2);
    w->rotateRecord();
    EXPECT_EQ(&w->current(), &w->root());
    EXPECT_EQ(treeText(w->root()), "(;AB[ib]AW[ic]M[ia:^];B[ha];W[];B[gc]C[x](;W[ii])(;W[ai]))");
    EXPECT_EQ(test::stoneList(w->board()), "ib:X ic:O");
    w->moveBy(999);
    EXPECT_EQ(test::stoneList(w->board()), "gc:X ha:X ib:X ic:O ii:O");
    EXPECT_EQ(w->checkInvariants(), "");

    // Captures kept by nodes played before the turn are turned with them.
    auto corner = windowWith("(;SZ[5]AB[ba];W[aa];B[ab])");
    corner->moveBy(999);
    corner->rotateRecord();
    corner->moveBy(999);
    EXPECT_EQ(test::stoneList(corner->board()), "da:X eb:X");
    EXPECT_EQ(corner->checkInvariants(), "");
}

}  // namespace
}  // namespace veld
