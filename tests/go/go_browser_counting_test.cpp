#include <gtest/gtest.h>

#include <string>

#include "go/counting.h"
#include "go/diagram.h"
#include "go/go_browser.h"
#include "go/go_browser_fixture.h"
#include "protocol/codepage.h"

namespace veld {
namespace {

using test::windowWith;

// The explanation of a count, with its figures.
std::u16string message(std::string_view black, std::string_view white, std::string_view code) {
    return u"黑地 = 黑空 - 黑死子 - 貼目\r\n白地 = 白空 - 白死子\r\n\r\n黑地 = " +
           utf8ToWide(black) + u"\r\n白地 = " + utf8ToWide(white) + u"\r\n\r\n" + utf8ToWide(code);
}

// Black walls off the first column and white the last two. White's stone at aa was taken by
// black's ab; black's stone at ec is dead in white's area.
constexpr std::string_view kFinished =
    "(;SZ[5]KM[6.5]AB[ba][bb][bc][bd][be]AW[ca][cb][cc][cd][ce];W[aa];B[ab];B[ec])";

TEST(GoBrowserCounting, CountScoreOnAFinishedGame) {
    auto w = windowWith(kFinished);
    testing::FakeRoom room;
    test::showIn(*w, room);
    w->moveBy(999);
    w->markDead(5, 3, kBlack);
    EXPECT_EQ(w->countScore(), message("4 - 1 - 6.5 = -3.5", "10 - 1 = 9", "W+12.5"));
    EXPECT_EQ(w->score, -12.5);
    EXPECT_EQ(w->info.resultCode, "W+12.5");
    EXPECT_EQ(w->info.resultText, u"白12.5目勝");
    EXPECT_EQ(room.board.labels(),
              "aa:X da:X ea:X db:X eb:X ac:X dc:X ec:X ad:X dd:X ed:X ae:X de:X ee:X");
}

TEST(GoBrowserCounting, Results) {
    struct Case {
        std::string_view sgf;
        std::string_view black, white, code;
    };
    for (const Case& c : {
             // Every region touches both colours: no territory, komi decides.
             Case{"(;SZ[5]KM[6.5]AB[aa]AW[ee])", "0 - 0 - 6.5 = -6.5", "0 - 0 = 0", "W+6.5"},
             // A komi that is no number counts as 0 and is shown as written.
             Case{"(;SZ[5]KM[half]AB[aa]AW[ee])", "0 - 0 - half = 0", "0 - 0 = 0", "B+0"},
             Case{"(;SZ[3]AB[ba][bb][bc])", "6 - 0 - 0 = 6", "0 - 0 = 0", "B+6"},
         }) {
        SCOPED_TRACE(c.sgf);
        auto w = windowWith(c.sgf);
        EXPECT_EQ(w->countScore(), message(c.black, c.white, c.code));
        EXPECT_EQ(w->info.resultCode, c.code);
    }
    EXPECT_EQ(resultCodeFor(0.5), "B+0.5");
    EXPECT_EQ(resultCodeFor(-7), "W+7");
}

TEST(GoBrowserCounting, DeadGroupsComeBack) {
    auto w = windowWith("(;SZ[5]AB[aa][ba][ee]AW[cc][cd])");
    testing::FakeRoom room;
    test::showIn(*w, room);
    const std::string before = test::picture(w->board());
    w->markDead(1, 1, kBlack);  // the group aa-ba
    w->markDead(3, 3, kWhite);
    w->markDead(2, 2, kWhite);  // no white stone there: nothing
    ASSERT_EQ(w->deadGroups().size(), 2u);
    EXPECT_EQ(test::pointList(w->deadGroups()[0].stones), "aa ba");
    EXPECT_EQ(test::stoneList(w->board()), "ee:X");
    EXPECT_EQ(w->checkInvariants(), "");
    w->undoLastDead();
    EXPECT_EQ(test::stoneList(w->board()), "cc:O cd:O ee:X");
    w->markDead(3, 4, kWhite);
    w->countScore();
    EXPECT_NE(room.board.labels(), "");
    w->undoAllDead();
    EXPECT_TRUE(w->deadGroups().empty());
    EXPECT_EQ(test::picture(w->board()), before);
    EXPECT_EQ(room.board.picture(), before);
    EXPECT_EQ(room.board.labels(), "");
}

}  // namespace
}  // namespace veld
