#include "study/navigation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "go/go_browser.h"
#include "go/tree.h"
#include "study/emoticons.h"
#include "study/study_fixture.h"

namespace veld {
namespace {

std::string count(int n) {
    return countText(n);
}

TEST(BoardCommands, EachNavigationCommandHasItsText) {
    EXPECT_EQ(count(999), std::string("\x03\xE7", 2));
    EXPECT_EQ(count(10), std::string("\x00\x0A", 2));
    EXPECT_EQ(boardCommandFor(NavCommand::first), "XY06" + count(999));
    EXPECT_EQ(boardCommandFor(NavCommand::fastBackward), "XY06" + count(10));
    EXPECT_EQ(boardCommandFor(NavCommand::previous), "XY06" + count(1));
    EXPECT_EQ(boardCommandFor(NavCommand::next), "XY05" + count(1));
    EXPECT_EQ(boardCommandFor(NavCommand::fastForward), "XY05" + count(10));
    EXPECT_EQ(boardCommandFor(NavCommand::last), "XY05" + count(999));
    EXPECT_EQ(boardCommandFor(NavCommand::switchVariation), "XY07");
    EXPECT_EQ(boardCommandFor(NavCommand::previousCommented), "");
    EXPECT_EQ(boardCommandFor(NavCommand::nextCommented), "");
}

// Each button from a position of a record of 30 moves with a variation at move 20: where it
// goes, and what a teaching board sends for it.
TEST(Navigation, ButtonsOnATeachingBoard) {
    struct Case {
        NavCommand command;
        int from;
        int to;
    };
    for (const Case& c : {Case{NavCommand::first, 15, 0}, Case{NavCommand::fastBackward, 15, 5},
                          Case{NavCommand::previous, 15, 14}, Case{NavCommand::next, 15, 16},
                          // Four moves left: the last one, and the command still says 10.
                          Case{NavCommand::fastForward, 26, 30},
                          // The end of the main line, not of the variation.
                          Case{NavCommand::last, 3, 30}}) {
        SCOPED_TRACE(boardCommandFor(c.command));
        test::StudyRooms s;
        GoBrowser& w =
            s.open(test::lineRecord(30, 20, 5), Room::game, TabKind::newIgame, Role::playing);
        w.roomLetter = "T";
        w.gameId = "07";
        w.moveBy(-999);
        w.moveBy(c.from);
        navigate(&w, c.command, s.hooks);
        EXPECT_EQ(moveNumber(w.current()), c.to);
        if (c.to > 0) {
            EXPECT_EQ(variationIndex(w.current()), 1);
        }
        EXPECT_EQ(s.hooks.sent, std::vector<std::string>{"YZ07" + boardCommandFor(c.command)});
    }
}

TEST(Navigation, SoundsVoiceAndStudyWindowsSendNothing) {
    test::StudyRooms s;
    GoBrowser& w = s.open("(;SZ[9];B[aa];W[bb];B[cc])");  // at move 1
    navigate(&w, NavCommand::next, s.hooks);
    navigate(&w, NavCommand::previous, s.hooks);
    navigate(&w, NavCommand::last, s.hooks);
    navigate(nullptr, NavCommand::first, s.hooks);
    EXPECT_EQ(s.hooks.events,
              (std::vector<std::string>{"stone", "voice:3", "stop voice", "stone"}));
    EXPECT_EQ(moveNumber(w.current()), 3);
    EXPECT_TRUE(s.hooks.sent.empty());
}

TEST(Navigation, TheMoveNumberButtonSwitchesVariations) {
    test::StudyRooms s;
    GoBrowser& w = s.open("(;SZ[9];B[aa](;W[bb];B[cc])(;W[dd]))");
    w.roomLetter = "T";
    w.gameId = "07";
    w.moveBy(1);  // W[bb]
    navigate(&w, NavCommand::switchVariation, s.hooks);
    EXPECT_EQ(w.current().x, 4);
    navigate(&w, NavCommand::switchVariation, s.hooks);  // the last: back to the first
    EXPECT_EQ(w.current().x, 2);
    w.moveBy(1);
    navigate(&w, NavCommand::switchVariation, s.hooks);  // an only child: stays
    EXPECT_EQ(w.current().x, 3);
    EXPECT_EQ(w.toPlay, kWhite);
    EXPECT_EQ(s.hooks.sent, std::vector<std::string>(3, "YZ07XY07"));
}

TEST(Navigation, CommentSearchesSaveTheEditedComment) {
    test::StudyRooms s;
    GoBrowser& w = s.open("(;SZ[9];B[aa]C[one];W[bb];B[cc];W[dd]C[four];B[ee])");
    w.moveBy(2);  // cc
    s.study.textPane.type(u"three");
    navigate(&w, NavCommand::nextCommented, s.hooks);
    EXPECT_EQ(moveNumber(w.current()), 4);
    EXPECT_EQ(w.current().parent->comment, u"three");
    navigate(&w, NavCommand::previousCommented, s.hooks);
    EXPECT_EQ(moveNumber(w.current()), 3);
    navigate(&w, NavCommand::previousCommented, s.hooks);
    EXPECT_EQ(moveNumber(w.current()), 1);
    navigate(&w, NavCommand::previousCommented, s.hooks);  // none left: stays
    EXPECT_EQ(moveNumber(w.current()), 1);

    navigateTopicRecord(&w, NavCommand::next, s.hooks, s.shell);
    EXPECT_EQ(s.shell.status, u"");
    navigateTopicRecord(&w, NavCommand::nextCommented, s.hooks, s.shell);
    EXPECT_EQ(s.shell.status, u"three");
}

TEST(Navigation, Keys) {
    struct Case {
        NavKey key;
        bool ctrl;
        std::optional<NavCommand> study, topics;
    };
    using enum NavCommand;
    for (const Case& c : {
             Case{NavKey::right, false, next, next},
             Case{NavKey::left, false, previous, previous},
             Case{NavKey::right, true, nextCommented, nextCommented},
             Case{NavKey::left, true, previousCommented, previousCommented},
             Case{NavKey::up, false, fastBackward, std::nullopt},
             Case{NavKey::pageUp, false, fastBackward, std::nullopt},
             Case{NavKey::down, false, fastForward, std::nullopt},
             Case{NavKey::pageDown, false, fastForward, std::nullopt},
             Case{NavKey::home, false, first, first},
             Case{NavKey::end, false, last, last},
             Case{NavKey::up, true, std::nullopt, std::nullopt},
         }) {
        SCOPED_TRACE(static_cast<int>(c.key) * 2 + c.ctrl);
        EXPECT_EQ(commandForKey(c.key, c.ctrl, KeyPage::studyRoom), c.study);
        EXPECT_EQ(commandForKey(c.key, c.ctrl, KeyPage::topics), c.topics);
        EXPECT_EQ(commandForKey(c.key, c.ctrl, KeyPage::other), std::nullopt);
    }
}

TEST(Emoticons, PictureNumberGoesToTheGame) {
    test::StudyRooms s;
    GoBrowser& w = s.open("(;SZ[9])", Room::game, TabKind::newIgame, Role::playing);
    w.gameId = "12";
    EXPECT_TRUE(sendEmoticon(&w, "annie     ", 2, 3, 8, s.hooks));
    EXPECT_EQ(s.hooks.sent, std::vector<std::string>{"PGP12annie     " + count(26)});
    EXPECT_FALSE(sendEmoticon(&w, "annie", 8, 0, 8, s.hooks)) << "off the grid";
    w.role = Role::finished;
    EXPECT_FALSE(sendEmoticon(&w, "annie", 0, 0, 8, s.hooks));
    EXPECT_FALSE(sendEmoticon(nullptr, "annie", 0, 0, 8, s.hooks));
    EXPECT_EQ(s.hooks.sent.size(), 1u);
}

}  // namespace
}  // namespace veld
