#include "study/study_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_ports.h"
#include "go/go_browser.h"
#include "study/study_fixture.h"

namespace veld {
namespace {

// 9 x 9: a black wall on column e, a white wall on column f, and a white stone at bb inside
// black's side; komi 6.5.
constexpr const char* kEndOfGame =
    "(;SZ[9]KM[6.5]AB[ea][eb][ec][ed][ee][ef][eg][eh][ei]"
    "AW[fa][fb][fc][fd][fe][ff][fg][fh][fi][bb])";

TEST(StudyMenu, Captions) {
    EXPECT_EQ(studyMenuCaption(StudyMenuItem::explainCounting), u"預判輸贏說明");
    EXPECT_EQ(studyMenuCaption(StudyMenuItem::markDead), u"提子");
    EXPECT_EQ(studyMenuCaption(StudyMenuItem::undoLastDead), u"復原");
    EXPECT_EQ(studyMenuCaption(StudyMenuItem::count), u"點空");
    EXPECT_EQ(studyMenuCaption(StudyMenuItem::undoAllDead), u"回復原形");
    EXPECT_EQ(studyMenuCaption(StudyMenuItem::rotate), u"旋轉90度");
}

TEST(StudyMenu, MarkingDeadStonesCountingAndUndoing) {
    test::StudyRooms s;
    testing::FakeDialogs boxes;
    GoBrowser& w = s.open(kEndOfGame);

    runStudyMenuItem(w, StudyMenuItem::explainCounting, boxes);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, testing::FakeDialogs::Kind::Information);
    EXPECT_NE(boxes.boxes[0].text.find(u"提子"), std::u16string::npos);
    EXPECT_NE(boxes.boxes[0].text.find(u"點空"), std::u16string::npos);

    // Left clicks on stones take groups off while marking; "復原" brings the last one back.
    runStudyMenuItem(w, StudyMenuItem::markDead, boxes);
    EXPECT_EQ(w.phase, Phase::markingDead);
    EXPECT_EQ(w.clickPoint(2, 2), "bb");
    EXPECT_EQ(w.board().colourAt(2, 2), kEmpty);
    runStudyMenuItem(w, StudyMenuItem::undoLastDead, boxes);
    EXPECT_EQ(w.board().colourAt(2, 2), kWhite);
    EXPECT_EQ(w.clickPoint(2, 2), "bb");

    // Black: 36 - 0 - 6.5; white: 27 - 1.
    runStudyMenuItem(w, StudyMenuItem::count, boxes);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_TRUE(boxes.boxes[1].text.ends_with(u"\r\nB+3.5"));
    EXPECT_EQ(w.info.resultCode, "B+3.5");
    EXPECT_EQ(w.phase, Phase::none);
    EXPECT_EQ(s.study.board.labelAt(2, 2), u"X");
    EXPECT_EQ(w.clickPoint(6, 1), "");  // the marking is over
    EXPECT_TRUE(w.root().comment.empty());

    runStudyMenuItem(w, StudyMenuItem::undoAllDead, boxes);
    EXPECT_EQ(w.board().colourAt(2, 2), kWhite);
    EXPECT_TRUE(w.deadGroups().empty());
    EXPECT_EQ(s.study.board.labels(), "");
    EXPECT_EQ(w.phase, Phase::none);
    EXPECT_EQ(w.checkInvariants(), "");
}

TEST(StudyMenu, TurningTheRecordPutsTheDeadStonesBackFirst) {
    test::StudyRooms s;
    testing::FakeDialogs boxes;
    GoBrowser& w = s.open("(;SZ[9];B[aa];W[bb];B[cc])");
    w.moveBy(999);
    runStudyMenuItem(w, StudyMenuItem::markDead, boxes);
    EXPECT_EQ(w.clickPoint(2, 2), "bb");

    runStudyMenuItem(w, StudyMenuItem::rotate, boxes);
    EXPECT_TRUE(w.deadGroups().empty());
    EXPECT_EQ(w.phase, Phase::none);
    EXPECT_EQ(&w.current(), &w.root());
    const Node& first = *w.root().firstChild;
    EXPECT_EQ(first.x, 9);
    EXPECT_EQ(first.y, 1);
    EXPECT_EQ(w.checkInvariants(), "");
    w.moveBy(999);
    EXPECT_EQ(w.board().colourAt(8, 2), kWhite);
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace veld
