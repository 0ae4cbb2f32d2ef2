#include "study/autoplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "go/go_browser.h"
#include "go/tree.h"
#include "study/navigation.h"
#include "study/study_fixture.h"

namespace veld {
namespace {

// The move number after each of n ticks.
std::vector<int> ticks(Autoplay& autoplay, const GoBrowser& w, int n) {
    std::vector<int> numbers;
    for (int i = 0; i < n; ++i) {
        autoplay.onTick();
        numbers.push_back(moveNumber(w.current()));
    }
    return numbers;
}

TEST(Autoplay, SettingsAndMenusAtStart) {
    struct Case {
        std::string speed, numbers;
        int seconds, speedItem, shown, numberItem;
    };
    for (const Case& c : {Case{"", "", 2, 1, 0, 0}, Case{"6", "9", 6, 7, 9, 6},
                          Case{"x", "800", 2, 1, 500, 7}, Case{"0", "-3", 2, 1, 0, 0}}) {
        SCOPED_TRACE(c.speed + "/" + c.numbers);
        test::StudyRooms s;
        if (!c.speed.empty()) s.settings.values["autoplayspeed"] = c.speed;
        if (!c.numbers.empty()) s.settings.values["shownodenumber"] = c.numbers;
        Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
        EXPECT_EQ(autoplay.speed(), c.seconds);
        EXPECT_EQ(s.menus.speedItem, c.speedItem);
        EXPECT_EQ(s.rooms.drawing().shownodenumber, c.shown);
        EXPECT_EQ(s.menus.moveNumberItem, c.numberItem);
    }
}

TEST(Autoplay, StepsEverySpeedSeconds) {
    test::StudyRooms s;
    s.settings.values["autoplayspeed"] = "3";
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& w = s.open(test::lineRecord(10));
    w.moveBy(-999);
    autoplay.playStop();
    EXPECT_TRUE(w.autoplaying);
    EXPECT_FALSE(w.mayAct);
    EXPECT_EQ(ticks(autoplay, w, 7), (std::vector<int>{1, 1, 1, 2, 2, 2, 3}));
    // A new speed counts from the next step on.
    autoplay.setAutoplayspeed(1);
    EXPECT_EQ(s.settings.values["autoplayspeed"], "1");
    EXPECT_EQ(s.menus.speedItem, 0);
    EXPECT_EQ(ticks(autoplay, w, 4), (std::vector<int>{3, 3, 4, 5}));
    autoplay.setPaused(true);
    EXPECT_EQ(ticks(autoplay, w, 2), (std::vector<int>{5, 5}));
    autoplay.playStop();  // also ends the pause
    EXPECT_FALSE(autoplay.paused());
    EXPECT_FALSE(w.autoplaying);
    EXPECT_TRUE(w.mayAct);
    EXPECT_EQ(ticks(autoplay, w, 2), (std::vector<int>{5, 5}));
}

TEST(Autoplay, ABroadcastWindowTakesANewSpeedAtOnce) {
    test::StudyRooms s;
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& w = s.open(test::lineRecord(10));
    w.autoplayCountdown = 9;
    autoplay.setAutoplayspeed(5);
    EXPECT_EQ(w.autoplayCountdown, 9);
    w.roomLetter = "B";
    autoplay.setAutoplayspeed(4);
    EXPECT_EQ(w.autoplayCountdown, 4);
    autoplay.setAutoplayspeed(0);
    EXPECT_EQ(autoplay.speed(), 2);
}

// Every variation in document order: the main line to its end, the variation from move 20,
// then the root, where the window stays with autoplay on.
TEST(Autoplay, PlaysEveryVariationAndRestsAtTheRoot) {
    test::StudyRooms s;
    s.settings.values["autoplayspeed"] = "1";
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& w = s.open(test::lineRecord(25, 20, 3));
    w.moveBy(-999);
    autoplay.playStop();
    std::vector<std::string> visited;
    for (int i = 0; i < 40; ++i) {
        autoplay.onTick();
        visited.push_back(std::to_string(moveNumber(w.current())) + "." +
                          std::to_string(variationIndex(w.current())));
    }
    std::vector<std::string> expected;
    for (int m = 1; m <= 25; ++m) expected.push_back(std::to_string(m) + ".1");
    for (int m = 20; m <= 22; ++m) expected.push_back(std::to_string(m) + (m == 20 ? ".2" : ".1"));
    while (expected.size() < visited.size()) expected.push_back("0.1");
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(w.autoplaying);
    EXPECT_EQ(&w.current(), &w.root());
    EXPECT_EQ(s.study.tabs.iconChanges, 0) << "the study room's tab icons are not drawn";
}

TEST(Autoplay, ATeachersAutoplayIsSentToThePupils) {
    test::StudyRooms s;
    s.settings.values["autoplayspeed"] = "1";
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& w = s.open(test::lineRecord(2, 2, 1), Room::game, TabKind::newIgame, Role::playing);
    w.roomLetter = "T";
    w.gameId = "07";
    w.phase = Phase::ownsBoard;
    w.moveBy(-999);
    autoplay.playStop();
    EXPECT_EQ(w.autoplayCountdown, 1);
    EXPECT_TRUE(w.showComments);
    EXPECT_EQ(ticks(autoplay, w, 6), (std::vector<int>{1, 2, 2, 0, 0, 0}));
    const std::string step = "YZ07XY05" + countText(1);
    EXPECT_EQ(s.hooks.sent,
              (std::vector<std::string>{"YZ07XY16", step, step, "YZ07XY11", "YZ07XY11"}));
    EXPECT_EQ(w.tabIcon, kTabIconActive);
    autoplay.playStop();
    EXPECT_EQ(s.hooks.sent.back(), "YZ07XY15");
    EXPECT_FALSE(w.showComments);
    EXPECT_EQ(s.hooks.events,
              (std::vector<std::string>{"stop voice", "stop recorder", "teaching autoplay on",
                                        "voice:1", "stone", "voice:2", "stone", "voice:3", "stone",
                                        "voice:4", "stop voice", "stop recorder",
                                        "end multi-record", "teaching autoplay off"}));
}

TEST(Autoplay, TheNextRecordOfTheTeachingRoom) {
    test::StudyRooms s;
    s.settings.values["autoplayspeed"] = "1";
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& w = s.open(test::lineRecord(1), Room::game, TabKind::newIgame, Role::playing);
    w.roomLetter = "T";
    int loaded = 0;
    s.hooks.nextRecord = [&](GoBrowser& window) {
        if (loaded++ > 0) return false;
        return window.loadFromText(test::lineRecord(3));
    };
    w.moveBy(-999);
    autoplay.playStop();
    EXPECT_EQ(ticks(autoplay, w, 7), (std::vector<int>{1, 0, 1, 2, 3, 0, 0}));
    EXPECT_EQ(loaded, 2);
}

TEST(Autoplay, OnlineRoomsReplayOnlyWhileLoggedIn) {
    test::StudyRooms s;
    s.settings.values["autoplayspeed"] = "1";
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& watched =
        s.open(test::lineRecord(5), Room::observation, TabKind::obgame, Role::observing);
    GoBrowser& game = s.open(test::lineRecord(5), Room::game, TabKind::newIgame, Role::playing);
    GoBrowser& studied = s.open(test::lineRecord(5));
    for (GoBrowser* w : {&watched, &game, &studied}) {
        w->moveBy(-999);
        w->autoplaying = true;
    }
    s.hooks.online = false;
    autoplay.onTick();
    EXPECT_EQ(moveNumber(watched.current()), 0);
    EXPECT_EQ(moveNumber(studied.current()), 1) << "records replay off line too";
    s.hooks.online = true;
    autoplay.onTick();
    EXPECT_EQ(moveNumber(watched.current()), 1);
    EXPECT_EQ(moveNumber(game.current()), 0) << "only teaching boards of the game room";
    EXPECT_EQ(moveNumber(studied.current()), 2);

    s.rooms.showRoom(Room::observation);
    autoplay.toggleObserved();
    EXPECT_FALSE(watched.autoplaying);
}

TEST(Autoplay, NumberedMovesMenu) {
    test::StudyRooms s;
    Autoplay autoplay(s.rooms, s.settings, s.hooks, s.menus);
    GoBrowser& w = s.open("(;SZ[9];B[aa];W[bb];B[cc])");
    w.moveBy(999);
    GoBrowser teaching;
    teaching.roomLetter = "T";
    teaching.gameId = "07";
    s.hooks.teachingRoom = &teaching;

    s.menus.answers = {u"800"};
    autoplay.chooseMoveNumberItem(Autoplay::kCustomItem);
    EXPECT_EQ(s.rooms.drawing().shownodenumber, 500);
    EXPECT_EQ(s.settings.values["shownodenumber"], "500");
    EXPECT_EQ(s.menus.moveNumberItem, Autoplay::kCustomItem);
    EXPECT_EQ(s.study.board.labels(), "aa:1 bb:2 cc:3");
    EXPECT_EQ(s.hooks.sent, std::vector<std::string>{"YZ07XY17" + countText(500)});

    s.menus.answers = {std::nullopt, u"", u"many"};
    for (int i = 0; i < 3; ++i) autoplay.chooseMoveNumberItem(Autoplay::kCustomItem);
    EXPECT_EQ(s.rooms.drawing().shownodenumber, 500);
    autoplay.chooseMoveNumberItem(0);
    EXPECT_EQ(s.rooms.drawing().shownodenumber, 0);
    EXPECT_TRUE(s.study.board.crossAt(3, 3));
    s.hooks.online = false;
    autoplay.chooseMoveNumberItem(2);
    EXPECT_EQ(s.hooks.sent.size(), 2u);

    s.menus.answers = {u"0"};
    autoplay.chooseSpeedItem(Autoplay::kCustomItem);
    EXPECT_EQ(autoplay.speed(), 2);
    autoplay.chooseSpeedItem(5);
    EXPECT_EQ(autoplay.speed(), 7);
}

}  // namespace
}  // namespace veld
