// Recording fakes of a room's controls: the board picture remembers what was drawn on each point,
// the other controls what they were last told.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "go/room_ports.h"

namespace veld::testing {

class FakeBoardView : public BoardView {
  public:
    void setupBoard(int size) override;
    void drawStone(int x, int y, int colour) override;
    void drawLabel(int x, int y, std::u16string_view label, int colour) override;
    void drawLastMoveCross(int x, int y, int colour) override;

    // The stones drawn, rows from the top: "X" black, "O" white, "." empty; points separated by a
    // space, each row ended by a new line (the form of test::picture).
    std::string picture() const;
    // The label drawn over the point since its stone was last drawn; empty when none.
    std::u16string labelAt(int x, int y) const;
    // The points that show a label, in scan order of (y, x), as "point:label" ("cc:3 dd:X").
    std::string labels() const;
    bool crossAt(int x, int y) const;

    int size = 0;
    int setups = 0;
    int stoneDraws = 0;
    int labelDraws = 0;

  private:
    struct Point {
        int colour = 0;
        std::u16string label;
        bool cross = false;
    };
    Point* at(int x, int y);
    const Point* at(int x, int y) const;
    std::vector<Point> points_;
};

class FakeTextPane : public TextPane {
  public:
    struct Line {
        std::u16string text;
        std::uint32_t colour;
    };

    void clear() override;
    void setText(std::u16string_view text) override;
    void appendLine(std::u16string_view line, std::uint32_t colour) override;
    void scrollToEnd() override { ++scrolls; }
    std::u16string text() const override { return content; }
    bool isEdited() const override { return edited; }
    void clearEdited() override { edited = false; }

    // What the user types: the pane's whole text, marked as edited.
    void type(std::u16string_view text);

    std::u16string content;
    bool edited = false;
    std::vector<Line> lines;  // appended lines, in order
    int clears = 0;
    int scrolls = 0;
};

class FakeChatInput : public ChatInput {
  public:
    void focus() override { ++focuses; }
    void clear() override { ++clears; }
    int focuses = 0;
    int clears = 0;
};

class FakePlayerPanel : public PlayerPanel {
  public:
    void showPlayers(const PlayerRow& b, const PlayerRow& w) override {
        black = b;
        white = w;
        ++refreshes;
    }
    void setTextColour(std::uint32_t colour) override { textColour = colour; }

    PlayerRow black, white;
    int refreshes = 0;
    std::uint32_t textColour = 0xFFFFFFFF;
};

class FakeMoveNumberButton : public MoveNumberButton {
  public:
    void setCaption(std::u16string_view text) override { caption = text; }
    std::u16string caption = u"(never set)";
};

class FakeRoomTabs : public RoomTabs {
  public:
    struct Tab {
        std::u16string caption;
        int icon;
    };

    void addTab(std::u16string_view caption, int icon) override;
    void selectTab(int index) override { selected = index; }
    void setTabIcon(int index, int icon) override;
    void setTabCaption(int index, std::u16string_view caption) override;
    void removeTab(int index) override;

    std::vector<Tab> tabs;
    int selected = -1;
    int iconChanges = 0;
};

class FakeClock : public GameClockHooks {
  public:
    void restartPeriod(int colour) override { restarted.push_back(colour); }
    std::string timeReport(int) override { return report; }
    void refreshClocks() override { ++refreshes; }

    std::vector<int> restarted;
    std::string report = "\x01\x2C\x00";
    int refreshes = 0;
};

// Every control of one room.
struct FakeRoom {
    FakeBoardView board;
    FakeTextPane textPane;
    FakeChatInput chatInput;
    FakePlayerPanel players;
    FakeMoveNumberButton moveNumber;
    FakeRoomTabs tabs;

    RoomViews views() { return {&board, &textPane, &chatInput, &players, &moveNumber}; }
};

}  // namespace veld::testing
