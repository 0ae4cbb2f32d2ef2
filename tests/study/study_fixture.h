// Rooms with recording controls, the hooks and menus of the study room, and records to replay.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "fakes/fake_ports.h"
#include "fakes/fake_room.h"
#include "fakes/fake_study.h"
#include "go/rooms.h"
#include "go/tree.h"

namespace veld::test {

// Move i (from 0) of a line: black first, on column i mod 19 of the rows from `firstRow`.
inline std::string moveText(int i, char firstRow) {
    std::string m = i % 2 == 0 ? ";B[" : ";W[";
    m += static_cast<char>('a' + i % 19);
    m += static_cast<char>(firstRow + i / 19);
    return m + "]";
}

// A 19 x 19 main line of n moves; with `at`, a variation of `length` moves (on rows further down)
// branches off as the second choice for move `at`.
inline std::string lineRecord(int n, int at = 0, int length = 0) {
    std::string sgf = "(;SZ[19]";
    const int split = at > 0 ? at - 1 : n;
    for (int i = 0; i < split; ++i) sgf += moveText(i, 'a');
    if (at > 0) {
        sgf += "(";
        for (int i = split; i < n; ++i) sgf += moveText(i, 'a');
        sgf += ")(";
        for (int j = 0; j < length; ++j) sgf += moveText(split + j, 'm');
        sgf += ")";
    }
    return sgf + ")";
}

class StudyRooms {
  public:
    StudyRooms() {
        rooms.attachRoom(Room::game, game.views(), &game.tabs, Page::GameRoom);
        rooms.attachRoom(Room::observation, observation.views(), &observation.tabs,
                         Page::ObservationRoom);
        rooms.attachRoom(Room::study, study.views(), &study.tabs, Page::StudyRoom);
    }

    GoBrowser& open(std::string_view sgf, Room room = Room::study, TabKind kind = TabKind::oldSGF,
                    Role role = Role::study) {
        auto w = rooms.newWindow();
        EXPECT_TRUE(w->loadFromText(sgf)) << w->loadError();
        return rooms.createGoTab(std::move(w), u"record", kind, role, room);
    }

    testing::FakeShell shell;
    Rooms rooms{shell};
    testing::FakeRoom game, observation, study;
    testing::FakeSettingsStore settings;
    testing::FakeStudyHooks hooks;
    testing::FakeStudyMenus menus;
};

}  // namespace veld::test
