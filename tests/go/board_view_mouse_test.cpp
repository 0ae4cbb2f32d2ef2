#include "go/board_mouse.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_room.h"
#include "protocol/points.h"

namespace veld {
namespace {

class FakeHost : public BoardMouseHost {
  public:
    void playClickSound() override { events.push_back("sound"); }
    void showGameMenu(GoBrowser&, PixelPoint at,
                      std::span<const std::u16string> information) override {
        events.push_back("game menu " + where(at));
        menu.assign(information.begin(), information.end());
    }
    void showStudyMenu(GoBrowser&, PixelPoint at) override {
        events.push_back("study menu " + where(at));
    }
    ByoYomiTerms byoYomi(const GoBrowser&) const override { return {30, 3}; }
    std::u16string ownName() const override { return u"me"; }
    void stopCountdown(GoBrowser&) override { events.push_back("stop countdown"); }
    void setPassEnabled(GoBrowser&, bool enabled) override {
        events.push_back(enabled ? "pass on" : "pass off");
    }
    void setTabIcon(GoBrowser&, int icon) override {
        events.push_back("tab icon " + std::to_string(icon));
    }

    std::vector<std::string> events;
    std::vector<std::u16string> menu;

  private:
    static std::string where(PixelPoint p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }
};

class FakeSender : public BoardSender {
  public:
    void sendToServer(std::string_view text) override { server.emplace_back(text); }
    void sendToOpponent(const GoBrowser&, std::string_view body) override {
        opponent.emplace_back(body);
    }
    void teachBroadcast(GoBrowser&, std::string_view command) override {
        teaching.emplace_back(command);
    }

    std::vector<std::string> server, opponent, teaching;
};

// A 19-line board in a 400 x 380 picture: point (x, y) at pixel (20 x, 20 y - 10).
struct Mouse : ::testing::Test {
    FakeHost host;
    FakeSender sender;
    BoardMouse mouse{host, sender};
    const BoardGeometry geometry = BoardGeometry::layout(400, 19, 380);
    DrawingSettings drawing;
    testing::FakeClock clock;

    std::unique_ptr<GoBrowser> study(std::string_view sgf = "(;SZ[19])") {
        auto w = std::make_unique<GoBrowser>(drawing);
        EXPECT_TRUE(w->loadFromText(sgf)) << w->loadError();
        w->mayAct = true;
        return w;
    }
    // The user's game in the game room, black to play.
    std::unique_ptr<GoBrowser> game(Phase phase, std::string_view sgf = "(;SZ[19])") {
        auto w = study(sgf);
        w->role = Role::playing;
        w->phase = phase;
        w->gameId = "01";
        w->roomLetter = "5";
        w->clock = &clock;
        clock.report = "\x05\x06\x07";
        return w;
    }
    void left(GoBrowser* w, int x, int y, Room page = Room::game) {
        mouse.mouseDown(w, page, geometry, MouseButton::left, geometry.pointToPixel(x, y));
    }
    void right(GoBrowser* w, PixelPoint at, Room page = Room::game) {
        mouse.mouseDown(w, page, geometry, MouseButton::right, at);
    }
    bool quiet() const {
        return host.events.empty() && sender.server.empty() && sender.opponent.empty() &&
               sender.teaching.empty();
    }
};

TEST_F(Mouse, NothingWithoutAWindowInBlockedPhasesOrOnRecordPages) {
    left(nullptr, 4, 4);
    right(nullptr, {80, 70});
    EXPECT_TRUE(quiet());
    struct Case {
        Phase phase;
        Room page;
    };
    const Case cases[] = {
        {Phase::awaitingCount, Room::game},
        {Phase::opponentAway, Room::game},
        {Phase::playing, Room::gameRecords},
        {Phase::playing, Room::gameMarks},
    };
    for (const Case& c : cases) {
        auto w = game(c.phase);
        left(w.get(), 4, 4, c.page);
        right(w.get(), {80, 70}, c.page);
        EXPECT_TRUE(quiet()) << static_cast<int>(c.phase);
        EXPECT_EQ(w->board().colourAt(4, 4), kEmpty);
    }
    // Left clicks only: a watching observer, and a window replaying its record.
    auto watching = game(Phase::watching);
    left(watching.get(), 4, 4);
    auto replaying = study();
    replaying->autoplaying = true;
    left(replaying.get(), 4, 4);
    EXPECT_TRUE(quiet());
}

TEST_F(Mouse, StudyClickEditsTheRecordAndSendsNothing) {
    auto w = study();
    left(w.get(), 4, 4);
    EXPECT_EQ(w->board().colourAt(4, 4), kBlack);
    EXPECT_EQ(host.events, std::vector<std::string>{"sound"});
    // A pixel between points, and one off the board: the click sound and nothing else.
    mouse.mouseDown(w.get(), Room::study, geometry, MouseButton::left, {20 - 11, 70});
    mouse.mouseDown(w.get(), Room::study, geometry, MouseButton::left, {395, 375});
    EXPECT_EQ(host.events, (std::vector<std::string>{"sound", "sound", "sound"}));
    EXPECT_EQ(w->board().occupiedPoints().size(), 1u);
    EXPECT_TRUE(sender.server.empty() && sender.teaching.empty());
}

TEST_F(Mouse, KoAndSuicideAreReportedInTheTextPane) {
    // The ko: black takes at cb, white may not take back at bb at once.
    auto w = study("(;SZ[19]AB[ba][ab][bc]AW[ca][db][cc][bb])");
    left(w.get(), 3, 2);
    ASSERT_EQ(w->board().colourAt(2, 2), kEmpty);
    left(w.get(), 2, 2);
    EXPECT_EQ(w->chatText, u"劫\r\n");
    EXPECT_EQ(w->board().colourAt(2, 2), kEmpty);

    auto s = study("(;SZ[19]AW[ba][ab])");
    left(s.get(), 1, 1);
    EXPECT_EQ(s->chatText, u"不能自盡！\r\n");
    EXPECT_EQ(s->board().colourAt(1, 1), kEmpty);
    EXPECT_TRUE(sender.server.empty());
}

TEST_F(Mouse, GameMoveGoesToTheServerWithTheColourFoldedInAndTheClock) {
    struct Case {
        Phase phase;
        int toPlay;
        std::string sent;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {Phase::playing, kBlack, "PGA01wd\x05\x06\x07", {"sound", "tab icon 4", "pass off"}},
        {Phase::playing, kWhite, "PGA01dd\x05\x06\x07", {"sound", "tab icon 4", "pass off"}},
        {Phase::following, kBlack, "PGA01wd", {"sound", "tab icon 4"}},
        {Phase::ownsBoard, kBlack, "PGA01wd", {"sound"}},
    };
    for (const Case& c : cases) {
        auto w = game(c.phase);
        w->toPlay = c.toPlay;
        host.events.clear();
        sender.server.clear();
        left(w.get(), 4, 4);
        EXPECT_EQ(sender.server, std::vector<std::string>{c.sent});
        EXPECT_EQ(host.events, c.events) << static_cast<int>(c.phase);
        EXPECT_EQ(w->board().colourAt(4, 4), c.toPlay);
    }
}

TEST_F(Mouse, MoveAfterPassesResumesPlay) {
    auto w = game(Phase::playing);
    w->passCount = 2;
    left(w.get(), 4, 4);
    EXPECT_EQ(w->passCount, 0);
    EXPECT_EQ(w->chatText, u"> me繼續著手\r\n");
    EXPECT_EQ(host.events, (std::vector<std::string>{"sound", "stop countdown", "pass off",
                                                     "tab icon 4", "pass off"}));
    EXPECT_EQ(sender.server.size(), 1u);
}

TEST_F(Mouse, TeachingRoomBroadcastsAndOtherEditsStayOffTheGameServer) {
    auto teaching = game(Phase::ownsBoard);
    teaching->roomLetter = "T";
    left(teaching.get(), 4, 4);
    EXPECT_EQ(sender.teaching, std::vector<std::string>{"XY02ddB"});
    EXPECT_TRUE(sender.server.empty());

    // A label put on the board of a game is no move: the server is not told.
    auto labelled = game(Phase::ownsBoard);
    labelled->tool = Tool::mark;
    left(labelled.get(), 5, 5);
    EXPECT_EQ(labelled->current().markup.size(), 1u);
    EXPECT_TRUE(sender.server.empty());
}

TEST_F(Mouse, MarkingDeadTellsTheOpponent) {
    auto w = game(Phase::markingDead, "(;SZ[19]AW[ee][ef])");
    left(w.get(), 5, 5);
    EXPECT_EQ(sender.opponent, std::vector<std::string>{"PGG01ee"});
    EXPECT_EQ(w->board().colourAt(5, 6), kEmpty);  // the whole group is taken off
    left(w.get(), 1, 1);                           // an empty point: nothing
    EXPECT_EQ(sender.opponent.size(), 1u);
    EXPECT_TRUE(sender.server.empty());
}

TEST_F(Mouse, RightButtonOpensTheWindowsMenu) {
    auto w = game(Phase::playing, "(;SZ[19];B[ba];W[aa];B[ab])");
    w->moveBy(999);
    w->info.komi = "6.5";
    w->info.handicap = 2;
    w->info.resultText = u"黑中盤勝";
    right(w.get(), {100, 120});
    EXPECT_EQ(host.events, std::vector<std::string>{"game menu 100,160"});
    EXPECT_EQ(host.menu,
              (std::vector<std::u16string>{u"黑被提子數0", u"白被提子數1", u"結果黑中盤勝",
                                           u"讀秒時間30秒", u"讀秒次數3", u"讓子2", u"貼目6.5"}));

    host.events.clear();
    auto s = study();
    right(s.get(), {100, 120}, Room::study);
    EXPECT_EQ(host.events, std::vector<std::string>{"study menu 100,120"});

    host.events.clear();
    s->phase = Phase::confirmingCount;
    right(s.get(), {100, 120}, Room::study);
    right(w.get(), {100, 120}, Room::patternSearch);
    EXPECT_TRUE(quiet());
}

}  // namespace
}  // namespace veld
