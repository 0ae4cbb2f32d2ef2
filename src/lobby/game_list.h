// The games of the joined game server (gameList) and the lobby's game list as a presentation
// model: rows, cells, the column sorts with their shared direction, selection and key search. A
// view binds to it through GameListObserver.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lobby/game.h"
#include "lobby/list_observer.h"

namespace veld {

enum class GameColumn {
    Number,     // "棋局": the row caption
    Black,      // "黑方"
    BlackRank,  // "棋力"
    White,      // "白方"
    WhiteRank,  // "棋力"
    Observers,  // "觀眾"
    Title,      // no caption
};
inline constexpr int kGameColumnCount = 7;

struct GameColumnInfo {
    std::u16string_view caption;
    int width;
};
const GameColumnInfo& gameColumnInfo(GameColumn column);

// What a view of the game list must follow: the rows of every lobby list, and one cell alone.
class GameListObserver : public ListObserver {
  public:
    // Only the row's "觀眾" cell is to be read again.
    virtual void observerCellChanged(int row) = 0;
};

class GameList {
  public:
    void setObserver(GameListObserver* observer) { observer_ = observer; }

    // --- gameList ---
    const std::vector<GameRef>& games() const { return games_; }
    // A fresh game server: an empty list, no rows, no selection. The sort direction stays, as it
    // is shared with the record lists.
    void reset();
    // Leaving the server: the records go; the rows stay until the next rebuild.
    void clearGames();
    void appendGame(GameRef game) { games_.push_back(std::move(game)); }
    // First record, in list order, with this gid; null when none.
    GameRef findGameByGID(std::uint16_t gid) const;
    // First record that has not ended ("X") whose black or white 10-byte name equals rawName
    // exactly; null when none.
    GameRef findGameByName(std::string_view rawName) const;
    // Removes the record from the list and deletes its row if it has one; nothing for null.
    void removeGame(const GameRef& game);

    // --- rows ---
    const std::vector<GameRef>& rows() const { return rows_; }
    // The first row of this record; -1 when none.
    int findgamelistviewindex(const Tgame* game) const;
    // Refreshes the game's row, appending one when it has none; nothing for null.
    void updategame(const GameRef& game);
    // Refreshes only the "觀眾" cell of the game's row; nothing when it has no row.
    void updategameob(const GameRef& game);
    // Direction +1, then updategame for every record in list order; rows are not deleted first.
    void showgamelist();
    // The cell text of a row; empty for a row out of range.
    std::u16string cellText(int row, GameColumn column) const;
    static std::u16string cellText(const Tgame& game, GameColumn column);
    // The row image; -1 for a row out of range.
    int rowImage(int row) const;

    // A click on a column: sorts by its order times the direction, then negates the direction.
    void sortByColumn(GameColumn column);
    // The same sort without negating the direction afterwards.
    void sortRows(GameColumn column);
    // +1 or -1. Shared with the record lists, whose sorts change the next game-list sort.
    int gameSortDirection() const { return gameSortDirection_; }
    void setGameSortDirection(int direction) { gameSortDirection_ = direction; }

    // --- selection ---
    int selectedRow() const { return selectedRow_; }
    // Selects a row (-1 or out of range: none).
    void selectRow(int row);
    // The selected row's record; null without a selection.
    GameRef selectedGame() const;
    // A key press: from the selected row itself to the end, then from the top, the first row whose
    // "黑方" cell begins with `key` is selected. False for a space, without a selection or without
    // a match.
    bool keySearch(char16_t key);

  private:
    void notifyReset();

    std::vector<GameRef> games_;
    std::vector<GameRef> rows_;
    int selectedRow_ = -1;
    int gameSortDirection_ = 1;
    GameListObserver* observer_ = nullptr;
};

}  // namespace veld
