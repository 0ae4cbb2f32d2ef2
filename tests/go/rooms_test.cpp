#include "go/rooms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/fake_room.h"
#include "go/diagram.h"
#include "go/tree.h"

namespace veld {
namespace {

constexpr std::string_view kRecord = "(;SZ[9]PB[Ann]PW[Bob];B[ee]C[one];W[ef])";

class RoomsTest : public ::testing::Test {
  protected:
    RoomsTest() {
        rooms.attachRoom(Room::game, game.views(), &game.tabs, Page::GameRoom);
        rooms.attachRoom(Room::observation, observation.views(), &observation.tabs,
                         Page::ObservationRoom);
        rooms.attachRoom(Room::study, study.views(), &study.tabs, Page::StudyRoom);
        rooms.attachRoom(Room::gameRecords, records.views(), nullptr, Page::GameRecords);
        rooms.addShownListener([this](GoBrowser& w, Room room) { shown.emplace_back(&w, room); });
    }

    std::unique_ptr<GoBrowser> record(std::string_view sgf = kRecord) {
        auto w = rooms.newWindow();
        EXPECT_TRUE(w->loadFromText(sgf));
        return w;
    }

    testing::FakeShell shell;
    Rooms rooms{shell};
    testing::FakeRoom game, observation, study, records;
    std::vector<std::pair<GoBrowser*, Room>> shown;
};

TEST_F(RoomsTest, ARecordReadFromAFileOpensAtItsFirstMove) {
    GoBrowser& w =
        rooms.createGoTab(record(), u"Ann-Bob", TabKind::oldSGF, Role::study, Room::study);
    EXPECT_EQ(rooms.currentgobrowser(), &w);
    EXPECT_EQ(rooms.findTabIndex(w, Room::study), 0);
    ASSERT_EQ(study.tabs.tabs.size(), 1u);
    EXPECT_EQ(study.tabs.tabs[0].caption, u"Ann-Bob");
    EXPECT_EQ(study.tabs.selected, 0);
    EXPECT_TRUE(shell.pageVisible[Page::StudyRoom]);
    EXPECT_EQ(shell.shownPages, std::vector<Page>{Page::StudyRoom});
    EXPECT_TRUE(w.isShown);
    EXPECT_TRUE(w.mayAct);
    EXPECT_TRUE(w.showComments);
    EXPECT_EQ(w.tool, Tool::play);
    EXPECT_EQ(moveNumber(w.current()), 1);
    EXPECT_EQ(w.toPlay, kWhite);
    EXPECT_EQ(study.textPane.content, u"one");
    EXPECT_EQ(study.moveNumber.caption, u"1");
    EXPECT_EQ(study.players.black, (PlayerRow{u"Ann", u"", kBlackPlayerIcon}));
    EXPECT_EQ(study.board.picture(), test::picture(w.board()));
    EXPECT_EQ(shown, (std::vector<std::pair<GoBrowser*, Room>>{{&w, Room::study}}));
}

TEST_F(RoomsTest, WhatEachKindShowsFirst) {
    struct Case {
        TabKind kind;
        bool mayActBefore;
        bool mayAct;
        bool showComments;
        int tabIcon;
    };
    for (const Case& c : {Case{TabKind::newIgame, true, true, false, kTabIconActive},
                          Case{TabKind::newIgame, false, false, false, kTabIconWaiting},
                          Case{TabKind::obgame, true, false, false, kTabIconActive},
                          Case{TabKind::newSGF, false, true, true, -1},
                          Case{TabKind::marksgf, true, false, true, -1},
                          Case{TabKind::other, false, true, false, -1}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        auto made = record();
        made->mayAct = c.mayActBefore;
        made->phase = Phase::playing;
        const Room room = c.kind == TabKind::obgame ? Room::observation : Room::game;
        GoBrowser& w = rooms.createGoTab(std::move(made), u"tab", c.kind, Role::playing, room);
        EXPECT_EQ(w.mayAct, c.mayAct);
        EXPECT_EQ(w.showComments, c.showComments);
        EXPECT_EQ(w.tabIcon, c.tabIcon);
        if (c.kind == TabKind::newSGF || c.kind == TabKind::marksgf) {
            EXPECT_EQ(w.phase, Phase::none);
        }
        testing::FakeRoomTabs& tabs = room == Room::game ? game.tabs : observation.tabs;
        EXPECT_EQ(tabs.tabs.back().icon, c.tabIcon);
    }
}

TEST_F(RoomsTest, SwitchingTabs) {
    GoBrowser& first =
        rooms.createGoTab(record(), u"first", TabKind::oldSGF, Role::study, Room::study);
    shell.activePage = Page::StudyRoom;
    first.autoplaying = true;
    first.mayAct = false;
    study.textPane.type(u"typed");
    GoBrowser& second =
        rooms.createGoTab(record(), u"second", TabKind::newSGF, Role::study, Room::study);
    EXPECT_FALSE(first.isShown);
    EXPECT_EQ(first.chatText, u"typed");
    EXPECT_TRUE(first.mayAct) << "a study window that autoplays gets the board back";
    EXPECT_EQ(rooms.currentgobrowser(), &second);
    EXPECT_EQ(rooms.shownWindow(Room::study), &second);
    EXPECT_EQ(study.tabs.selected, 1);
    EXPECT_EQ(shell.shownPages.size(), 1u) << "the room was in front already";

    rooms.selectTab(Room::study, 0);
    EXPECT_EQ(rooms.currentgobrowser(), &first);
    EXPECT_TRUE(first.isShown);
    EXPECT_FALSE(second.isShown);
    EXPECT_EQ(study.textPane.content, u"typed") << "redrawn with the pane text it kept";
    EXPECT_EQ(study.board.picture(), test::picture(first.board()));
    EXPECT_EQ(shown.back(), (std::pair<GoBrowser*, Room>{&first, Room::study}));
    rooms.selectTab(Room::study, 7);
    EXPECT_EQ(rooms.currentgobrowser(), &first);

    // The page in front decides which window is current.
    GoBrowser& watched =
        rooms.createGoTab(record(), u"watch", TabKind::obgame, Role::observing, Room::observation);
    EXPECT_EQ(rooms.currentgobrowser(), &watched);
    rooms.showRoom(Room::study);
    EXPECT_EQ(rooms.currentgobrowser(), &first);
    rooms.showRoom(Room::game);
    EXPECT_EQ(rooms.currentgobrowser(), nullptr);
}

TEST_F(RoomsTest, ChoosingAnObservedGameMarksItWaiting) {
    GoBrowser& a =
        rooms.createGoTab(record(), u"a", TabKind::obgame, Role::observing, Room::observation);
    rooms.createGoTab(record(), u"b", TabKind::obgame, Role::observing, Room::observation);
    rooms.selectTab(Room::observation, 0);
    EXPECT_EQ(a.tabIcon, kTabIconWaiting);
    EXPECT_EQ(observation.tabs.tabs[0].icon, kTabIconWaiting);
    EXPECT_EQ(observation.players.textColour, kTextBlack);
}

TEST_F(RoomsTest, TabIconsAreRedrawnInTheOnLineRoomsOnly) {
    GoBrowser& played =
        rooms.createGoTab(record(), u"game", TabKind::newIgame, Role::playing, Room::game);
    GoBrowser& studied =
        rooms.createGoTab(record(), u"study", TabKind::newSGF, Role::study, Room::study);
    ASSERT_EQ(played.tabIcon, kTabIconWaiting);
    const int changes = game.tabs.iconChanges;
    rooms.updateTabicon(played, kTabIconActive);
    rooms.updateTabicon(played, kTabIconActive);  // unchanged: not drawn again
    EXPECT_EQ(game.tabs.iconChanges, changes + 1);
    EXPECT_EQ(game.tabs.tabs[0].icon, kTabIconActive);
    rooms.updateTabicon(studied, 5);
    EXPECT_EQ(studied.tabIcon, 5);
    EXPECT_EQ(study.tabs.iconChanges, 0);
}

TEST_F(RoomsTest, ClosingAndPagesWithoutTabs) {
    GoBrowser& a = rooms.createGoTab(record(), u"a", TabKind::newSGF, Role::study, Room::study);
    GoBrowser& b = rooms.createGoTab(record(), u"b", TabKind::newSGF, Role::study, Room::study);
    std::unique_ptr<GoBrowser> closed = rooms.closeTab(b);
    ASSERT_EQ(closed.get(), &b);
    EXPECT_EQ(rooms.currentgobrowser(), nullptr);
    EXPECT_EQ(rooms.shownWindow(Room::study), nullptr);
    EXPECT_EQ(study.tabs.tabs.size(), 1u);
    EXPECT_EQ(rooms.findTabIndex(a, Room::study), 0);
    EXPECT_EQ(rooms.closeTab(b), nullptr);

    GoBrowser& r1 =
        rooms.createGoTab(record(), u"", TabKind::oldSGF, Role::study, Room::gameRecords);
    EXPECT_EQ(rooms.currentgobrowser(), &r1);
    GoBrowser& r2 =
        rooms.createGoTab(record(), u"", TabKind::oldSGF, Role::study, Room::gameRecords);
    EXPECT_EQ(rooms.windowCount(Room::gameRecords), 1) << "the page shows one record";
    EXPECT_EQ(rooms.windowAt(Room::gameRecords, 0), &r2);
    EXPECT_EQ(rooms.currentgobrowser(), &r2);
    EXPECT_EQ(rooms.roomOf(r2), Room::gameRecords);
}

}  // namespace
}  // namespace veld
