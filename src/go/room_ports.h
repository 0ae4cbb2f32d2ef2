// The controls of a room (game room, observation room, study room, or a page that shows one
// board) as a game window sees them. The desktop implements them with widgets; the core only calls
// them, and only for the window shown in the room (GoBrowser::isShown).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veld {

// Text colours of the text pane, 0xRRGGBB.
inline constexpr std::uint32_t kTextBlack = 0x000000;
inline constexpr std::uint32_t kTextRed = 0xFF0000;
inline constexpr std::uint32_t kTextBlue = 0x0000FF;

// The board picture of a room. Points are (x, y) from 1; colours +1 black, -1 white, 0 none.
// Every call draws over what the picture shows; nothing is remembered by the core.
class BoardView {
  public:
    virtual ~BoardView() = default;
    // The empty board of size lines (texture, grid, star points, coordinates): every point
    // erased, every label and mark gone.
    virtual void setupBoard(int size) = 0;
    // A stone of the colour at the point, replacing whatever was drawn there (a label, a mark, the
    // last-move cross); colour 0 restores the empty board at the point. Points off the board are
    // ignored.
    virtual void drawStone(int x, int y, int colour) = 0;
    // A label over the point: text, or a mark when it starts with U+0001 (triangle) or U+0002
    // (square). colour is the board's colour at the point, so the label contrasts with the stone
    // (or sits on the empty board). Move numbers are labels of their decimal digits.
    virtual void drawLabel(int x, int y, std::u16string_view label, int colour) = 0;
    // The last-move cross over the stone of the colour at the point.
    virtual void drawLastMoveCross(int x, int y, int colour) = 0;
};

// The room's rich-text pane: the current node's comment in a study window, the chat and game
// notices in an on-line window.
class TextPane {
  public:
    virtual ~TextPane() = default;
    virtual void clear() = 0;
    // Replaces the whole text.
    virtual void setText(std::u16string_view text) = 0;
    // Adds one line in the colour and scrolls it into view.
    virtual void appendLine(std::u16string_view line, std::uint32_t colour) = 0;
    virtual void scrollToEnd() = 0;
    virtual std::u16string text() const = 0;
    // The user has typed into the pane since the core last wrote it (clear, setText, appendLine)
    // or last called clearEdited.
    virtual bool isEdited() const = 0;
    virtual void clearEdited() = 0;
};

// The room's chat input box.
class ChatInput {
  public:
    virtual ~ChatInput() = default;
    virtual void focus() = 0;
    virtual void clear() = 0;
};

// One row of the room's player list.
struct PlayerRow {
    std::u16string name;
    std::u16string rank;
    int icon = 0;  // image number of the row

    bool operator==(const PlayerRow&) const = default;
};

// The room's two-row list of the players (the clock cells belong to the game clocks).
class PlayerPanel {
  public:
    virtual ~PlayerPanel() = default;
    virtual void showPlayers(const PlayerRow& black, const PlayerRow& white) = 0;
    virtual void setTextColour(std::uint32_t colour) = 0;
};

// The room's button that shows the current move number.
class MoveNumberButton {
  public:
    virtual ~MoveNumberButton() = default;
    virtual void setCaption(std::u16string_view caption) = 0;
};

// The controls of one room. Any of them may be missing (null): a page that shows a record
// without a text pane or a player list.
struct RoomViews {
    BoardView* board = nullptr;
    TextPane* textPane = nullptr;
    ChatInput* chatInput = nullptr;
    PlayerPanel* players = nullptr;
    MoveNumberButton* moveNumber = nullptr;
};

// The tab control of a room: one tab per open window, in the order the rooms model keeps. The
// desktop reports the user's choice of a tab back to Rooms::selectTab.
class RoomTabs {
  public:
    virtual ~RoomTabs() = default;
    // Appends a tab.
    virtual void addTab(std::u16string_view caption, int icon) = 0;
    virtual void selectTab(int index) = 0;
    virtual void setTabIcon(int index, int icon) = 0;
    virtual void setTabCaption(int index, std::u16string_view caption) = 0;
    virtual void removeTab(int index) = 0;
};

// The game clocks of an on-line window, which the window drives but does not keep.
class GameClockHooks {
  public:
    virtual ~GameClockHooks() = default;
    // The mover's byo-yomi period starts again after the mover's move.
    virtual void restartPeriod(int colour) = 0;
    // The three bytes that report the mover's clock with the move.
    virtual std::string timeReport(int colour) = 0;
    // Shows both clocks in the player list again.
    virtual void refreshClocks() = 0;
};

}  // namespace veld
