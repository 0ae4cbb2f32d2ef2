// One open board: a game the user plays or watches, a teaching board, or a record of the study
// room. It owns the record (a game tree), the cursor into it, a board that always holds the
// position after the cursor, the record information and the dead groups of counting, and it keeps
// the controls of its room in step while it is the window shown there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "go/board.h"
#include "go/node.h"
#include "go/record_info.h"
#include "go/room_ports.h"
#include "go/sgf_reader.h"
#include "go/sgf_writer.h"

namespace veld {

class TextTable;

enum class Role : std::uint8_t { study = 0, playing = 1, observing = 2, finished = 3 };

// The editing tool of a board click.
enum class Tool : std::uint8_t { play = 1, blackStone = 2, whiteStone = 3, mark = 4, erase = 5 };

// The play phase of an on-line window, set by the on-line code. What the window itself does with
// it: ownsBoard flips the colour to play after the user's move; following clears mayAct after
// the user's move; playing restarts the mover's byo-yomi period and sends the clock with the
// move; markingDead turns a click on a stone into marking its group dead.
enum class Phase : std::uint8_t {
    none = 0,             // a study board
    ownsBoard = 1,        // the user owns the board (teacher, or a study board in a room)
    following = 2,        // an observer whose board follows the game
    watching = 3,         // an observer without editing tools: left clicks are ignored
    searchRecord = 4,     // a record opened from a search: the clocks are not shown
    playing = 5,          // normal play
    timedOut = 6,         // a clock has run out
    markingDead = 7,      // the user marks dead stones
    awaitingCount = 8,    // the user waits for the other's count: clicks are ignored
    confirmingCount = 9,  // the user confirms the other's count
    opponentAway = 10,    // the game is paused: clicks are ignored
};

// Drawing settings that every window reads when it draws.
struct DrawingSettings {
    static constexpr int kMaxNumberedMoves = 500;
    // How many of the last moves carry their numbers (0..500); 0 puts the last-move cross on the
    // last stone instead.
    int shownodenumber = 0;
};

class GoBrowser {
  public:
    // The record is empty (a 19 x 19 root) until one is created or read. The texts and the drawing
    // settings must outlive the window.
    explicit GoBrowser(const DrawingSettings& drawing, const TextTable& texts);
    explicit GoBrowser(const DrawingSettings& drawing);
    GoBrowser();
    GoBrowser(const GoBrowser&) = delete;
    GoBrowser& operator=(const GoBrowser&) = delete;

    // ----- record life -----
    // A new empty record of n lines (n of 20 or more, or below 1, gives 19), at its root. The
    // record information keeps its values except the size.
    void newRecord(int n);
    // newRecord, then every name, rank, date, result and komi of the record information cleared
    // and the event written as "New"; the board is drawn again when shown.
    void resetRecord(int n);
    // Reads the first game tree of text (plain SGF or the record dialect, as the text says) and
    // makes it the record, at its root. False, with the record unchanged, when it cannot be read
    // (loadError says why). loadedText keeps text either way.
    bool loadFromText(std::string_view text, const SgfReadOptions& options = {});
    // Makes a record read elsewhere the window's record, at its root. False (record unchanged)
    // when the read failed.
    bool loadRecord(SgfReadResult read);
    // loadFromText of the file's bytes; fileName becomes path. False when the file cannot be read
    // or holds no record.
    bool loadFromFile(const std::filesystem::path& path, const SgfReadOptions& options = {});
    // The record in the record dialect, its root properties taken from the record information.
    // Nodes are renumbered in the order written.
    std::string recordText(SgfWriteMode mode);
    // recordText saved to the file; false when it cannot be written.
    bool saveToFile(const std::filesystem::path& path, SgfWriteMode mode);
    // loadFromText and, unless its root has sequence number s, Gotonode(s). False when the text
    // cannot be read.
    bool loadAndGoto(std::string_view text, int s, const SgfReadOptions& options = {});
    // Goes to the first node numbered s in document order from the current node (its subtree,
    // then the variations after it). False, with nothing changed, when there is none.
    bool Gotonode(int s);
    // Turns the whole record a quarter turn clockwise as seen on screen, (x, y) to (N + 1 - y, x):
    // moves, setup stones and marks of every node. The cursor goes back to the root first.
    void rotateRecord();
    // The window's handicap stones as black setup stones, on a 19 x 19 record only.
    void placeHandicap(int stones);

    // ----- cursor -----
    // One node back (direction < 0) or forward along the first child (direction > 0); nothing at
    // the ends. Then the colour to play follows the current node.
    void step(int direction);
    // After saving an edited comment (study windows): 999 forward to the end of the line, -999
    // back to the root, else |k| steps. The position reached has no ko point.
    void moveBy(int k);
    // Back to the root; then one move forward when the root has no setup stones and a child.
    void goToStart();
    // On a move node: to the next variation at the same parent. On the last variation nothing,
    // or with backAndForthAtLast a step back and forward again, which stays on an only child and
    // returns to the first variation otherwise.
    void switchVariation(bool backAndForthAtLast = false);
    // From the current node, to the next variation of the nearest node (itself or an ancestor)
    // that has one. False when there is none: the cursor is then at the root.
    bool nextBranch();
    // Plays the path (a node first, then its parent, ..., the root of this record, as pathToRoot
    // gives) so that its first node becomes current: steps back to where the path leaves the
    // current line, then forward along the path. Nothing for a path that does not end at this
    // record's root.
    void applyPath(std::span<Node* const> path);
    // step(-1) / step(+1) until n is current. False, with nothing moved, when n is not an
    // ancestor / not on the first-child line below.
    bool backTo(const Node* n);
    bool forwardTo(const Node* n);
    // The nearest ancestor of the current node, not the root, with a comment; null when none.
    const Node* previousCommented() const;
    // The nearest node after the current node on its first-child line with a comment.
    const Node* nextCommented() const;

    // ----- view (drawing happens only while the window is shown) -----
    // Puts the current node on board and view: its stone, setup stones, captures taken off,
    // markup, the last moves' numbers or cross, the move number and (with showComments) its
    // comment.
    void showCurrentNode();
    void showMoveNumber();
    void showLastMoves();
    // Draws everything again: board, stones, numbers, the text pane, the player list (and the
    // clocks of a playing window).
    void redrawAll();
    // The player list: names, ranks and row images.
    void refreshPlayers();
    // Takes what the user typed into the text pane as the current node's comment (unless the
    // pane is empty).
    void saveCommentEdit();
    // A line for the text pane (when shown), the chat text and the current node's comment.
    void appendMessage(std::uint32_t colour, std::u16string_view text);
    void updateToPlay();
    // The stones taken by the main line's moves of colour c.
    int capturedBy(int c) const;
    int stonesInRect(int x1, int y1, int x2, int y2) const;

    // ----- editing and play -----
    // A move of colour c below the current node, made current. x or y 0 is a pass (no point, the
    // board unchanged). False, with nothing changed, for a point off the board or occupied. No
    // ko or suicide test: the moves of a game arrive already checked.
    bool playMove(int x, int y, int c);
    bool playMoveAt(std::string_view point, int c);
    // A move of a watched game: played at once when the current node is the end of its line;
    // otherwise (the user is looking back) hung at the end of the line without touching the
    // board. False for a point off the board, or an occupied point when played at once.
    bool receiveMove(std::string_view point, int c);
    // A setup stone of the root (whatever node is current), put on the board at once. A colour
    // above 0 is black, any other white; the letter form takes "B" for black.
    bool addSetupStone(int x, int y, int c);
    bool addSetupStone(int x, int y, std::string_view colourLetter);
    // A label or a mark at the point, on the current node.
    bool addLabel(int x, int y, std::u16string_view label);
    bool addMark(int x, int y);
    // Removes the first of: the current node's first markup entry at the point; a setup stone of
    // the root there (black first); the current node itself when its move is there (the cursor
    // goes to its parent). False when there was nothing to remove.
    bool deleteAt(int x, int y);
    // A left click on the point, as the tool and phase make it: the board command the click
    // produced ("XY02" + point + colour letter [+ clock report] for a move, "XY03" setup stone,
    // "XY04" label, "XY08" mark, "XY09" delete), the bare point of a group marked dead, "k" for a
    // ko, "s" for a suicide, "x" when the user may not act, and empty when nothing happened. A
    // click beside the board is given as a point off the board, (0, 0).
    std::string clickPoint(int x, int y);

    // ----- counting -----
    // Takes the group of colour c at the point off the board as dead. Nothing unless the point
    // holds a stone of colour c.
    void markDead(int x, int y, int c);
    void undoLastDead();
    void undoAllDead();
    // Redraws every empty point (wipes the territory marks of a count).
    void clearCountMarks();
    // Counts territory and prisoners, sets score and the result code, marks the territory on the
    // view, and returns the explanation shown to the user.
    std::u16string countScore();

    // ----- state -----
    const Node& root() const { return *root_; }
    Node& root() { return *root_; }
    const Node& current() const { return *current_; }
    Node& current() { return *current_; }
    const Tboard& board() const { return board_; }
    int boardSize() const { return board_.size(); }
    const std::vector<Tcapture>& deadGroups() const { return deadGroups_; }
    // Why the last loadFromText or loadRecord failed; empty after a success.
    const std::string& loadError() const { return loadError_; }
    TextPosition loadErrorAt() const { return loadErrorAt_; }
    // How many times the window has searched the board for captures: once per move played for
    // the first time, never when a move is played again from what its node keeps.
    std::int64_t captureSearches() const { return captureSearches_; }
    const DrawingSettings& drawing() const { return *drawing_; }
    const TextTable& texts() const { return *texts_; }
    // Empty when the window is sound; otherwise the first fault found. Sound: the current node is
    // in the record, every move on the way to it has been played, and the board equals the
    // position obtained by playing that way again from the nodes' stored captures, less the
    // groups marked dead.
    std::string checkInvariants() const;

    RecordInfo info;  // players, ranks, event, date, result, komi, handicap, size, voice
    std::int32_t toPlay = kBlack;  // the colour the next board click plays
    double score = 0;              // the last count: black minus white
    std::string gameId;            // the game's number on the server (on-line windows)
    std::string roomLetter;        // the server's room type; "T" is a teaching board
    bool mayAct = false;           // the user may act on the board now
    Role role = Role::study;
    Phase phase = Phase::none;
    Tool tool = Tool::play;
    bool showComments = false;  // the text pane shows the current node's comment
    bool autoplaying = false;   // left clicks are ignored while on
    // Seconds until the next automatic step; the end of every variation has been played.
    std::int32_t autoplayCountdown = 0;
    bool autoplayEnded = false;
    std::int32_t passCount = 0;      // consecutive passes of a game
    std::u16string chatText;         // everything written to the text pane, lines ending CR LF
    std::filesystem::path fileName;  // the file the record was read from
    std::string loadedText;          // the last text given to loadFromText
    std::int32_t blackIcon = 0, whiteIcon = 0;  // image numbers of the player list's rows
    std::int32_t tabIcon = -1;                  // image of the window's tab
    // Shown in its room: the room's controls follow this window. Set by the rooms model.
    bool isShown = false;
    RoomViews views;
    GameClockHooks* clock = nullptr;  // the game clocks of an on-line window

  private:
    bool visible() const { return isShown && views.board != nullptr; }
    bool isOnlineWindow() const { return role != Role::study; }
    void resetCursorState();
    void placeRootOnBoard();
    // Makes child (a child of current) current, playing its move from what it keeps when it was
    // played before, else searching the board for its captures.
    void enterChild(Node& child);
    // The parent of current becomes current; false at the root.
    bool leaveCurrent();
    // One step without updating the colour to play; false when there was none.
    bool stepped(int direction);
    void enterSibling(Node& sibling);
    void addPlayedMove(int x, int y, int c, std::span<const Tgp> captures);
    void redrawMarkupPoints(const Node& n);
    void drawStone(int x, int y, int colour);
    // The board picture drawn again from the board.
    void redrawBoard();
    // The board built again from the root up to the current node.
    void rebuildBoard();
    // Drops what the window remembers of the nodes of a subtree that leaves the record.
    void forget(const Node& subtree);
    // The node's move still stands on the board.
    bool stoneStands(const Node* n) const;
    int numberedMoves() const;
    // Makes n current, keeping its move number without walking to the root when n is a child or
    // the parent of the node that was current.
    void setCurrent(Node& n);
    // The move number of the parent of a node whose move number is `number`.
    int parentNumber(const Node* parent, int number) const;
    void drawNumber(const Node& n, int number);

    const DrawingSettings* drawing_;
    const TextTable* texts_;
    std::unique_ptr<Node> root_;
    Node* current_ = nullptr;
    int currentNumber_ = 0;  // moveNumber of the current node
    Tboard board_;
    std::vector<Tcapture> deadGroups_;
    // Nodes whose move was played on an occupied point: stepping back from them rebuilds the
    // board, because undoing the move cannot bring back the stone it replaced.
    std::unordered_set<const Node*> overwrote_;
    std::string loadError_;
    TextPosition loadErrorAt_;
    std::int64_t captureSearches_ = 0;
};

}  // namespace veld
