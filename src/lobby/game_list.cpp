#include "lobby/game_list.h"

#include <algorithm>
#include <array>

#include "lobby/list_sort.h"
#include "protocol/codepage.h"
#include "protocol/fields.h"

namespace veld {

namespace {

constexpr std::array<GameColumnInfo, kGameColumnCount> kColumns{{
    {u"棋局", 60},
    {u"黑方", 96},
    {u"棋力", 44},
    {u"白方", 96},
    {u"棋力", 44},
    {u"觀眾", 48},
    {u"", 1000},
}};

constexpr std::size_t kListCapacity = 250;

std::u16string rankCell(std::string_view rank) {
    return big5ToWide(padRight(rank, 4));
}

}  // namespace

const GameColumnInfo& gameColumnInfo(GameColumn column) {
    return kColumns[static_cast<std::size_t>(column)];
}

void GameList::reset() {
    games_.clear();
    games_.reserve(kListCapacity);
    rows_.clear();
    selectedRow_ = -1;
    notifyReset();
}

void GameList::clearGames() {
    games_.clear();
}

GameRef GameList::findGameByGID(std::uint16_t gid) const {
    for (const auto& game : games_)
        if (game->gid == gid) return game;
    return nullptr;
}

GameRef GameList::findGameByName(std::string_view rawName) const {
    for (const auto& game : games_)
        if (game->playStatus != "X" && (game->blackName == rawName || game->whiteName == rawName))
            return game;
    return nullptr;
}

void GameList::removeGame(const GameRef& game) {
    if (!game) return;
    std::erase(games_, game);
    const int row = findgamelistviewindex(game.get());
    if (row < 0) return;
    rows_.erase(rows_.begin() + row);
    if (selectedRow_ == row)
        selectedRow_ = -1;
    else if (selectedRow_ > row)
        --selectedRow_;
    if (observer_) observer_->rowRemoved(row);
}

int GameList::findgamelistviewindex(const Tgame* game) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].get() == game) return static_cast<int>(i);
    return -1;
}

void GameList::updategame(const GameRef& game) {
    if (!game) return;
    const int row = findgamelistviewindex(game.get());
    if (row >= 0) {
        if (observer_) observer_->rowChanged(row);
        return;
    }
    rows_.push_back(game);
    if (observer_) observer_->rowInserted(static_cast<int>(rows_.size()) - 1);
}

void GameList::updategameob(const GameRef& game) {
    if (!game) return;
    const int row = findgamelistviewindex(game.get());
    if (row >= 0 && observer_) observer_->observerCellChanged(row);
}

void GameList::showgamelist() {
    gameSortDirection_ = 1;
    for (const auto& game : games_) updategame(game);
}

std::u16string GameList::cellText(int row, GameColumn column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    return cellText(*rows_[static_cast<std::size_t>(row)], column);
}

std::u16string GameList::cellText(const Tgame& game, GameColumn column) {
    switch (column) {
        case GameColumn::Number:
            return latin(gameNumberText(game.gameNumber));
        case GameColumn::Black:
            return game.blackDisplayName;
        case GameColumn::BlackRank:
            return rankCell(game.blackRank);
        case GameColumn::White:
            return game.whiteDisplayName;
        case GameColumn::WhiteRank:
            return rankCell(game.whiteRank);
        case GameColumn::Observers:
            return latin(std::to_string(game.observerCount));
        case GameColumn::Title:
            return game.title;
    }
    return {};
}

int GameList::rowImage(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<std::size_t>(row)]->iconIndex;
}

void GameList::sortByColumn(GameColumn column) {
    sortRows(column);
    gameSortDirection_ = -gameSortDirection_;
}

void GameList::sortRows(GameColumn column) {
    const auto compare = [column](const Tgame& x, const std::u16string& xCell, const Tgame& y,
                                  const std::u16string& yCell) {
        switch (column) {
            case GameColumn::BlackRank:
                return compareNumbers(y.blackRankValue, x.blackRankValue);
            case GameColumn::WhiteRank:
                return compareNumbers(y.whiteRankValue, x.whiteRankValue);
            case GameColumn::Observers:
                return compareNumbers(y.observerCount, x.observerCount);
            case GameColumn::Title:
                return compareCellText(yCell, xCell);
            default:
                return compareCellText(xCell, yCell);
        }
    };
    const GameRef selected = selectedGame();
    sortRowsByCell(
        rows_, gameSortDirection_, [column](const GameRef& g) { return cellText(*g, column); },
        compare);
    // The selection follows its row.
    selectedRow_ = selected ? findgamelistviewindex(selected.get()) : -1;
    notifyReset();
}

void GameList::selectRow(int row) {
    selectedRow_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    if (observer_) observer_->selectionChanged(selectedRow_);
}

GameRef GameList::selectedGame() const {
    return selectedRow_ >= 0 ? rows_[static_cast<std::size_t>(selectedRow_)] : nullptr;
}

bool GameList::keySearch(char16_t key) {
    if (key == u' ' || selectedRow_ < 0) return false;
    const std::size_t n = rows_.size();
    // The selected row is looked at first, so a repeated key stays on a matching row.
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t i = (static_cast<std::size_t>(selectedRow_) + step) % n;
        const std::u16string& black = rows_[i]->blackDisplayName;
        if (black.empty() || black.front() != key) continue;
        selectRow(static_cast<int>(i));
        return true;
    }
    return false;
}

void GameList::notifyReset() {
    if (observer_) observer_->rowsReset();
}

}  // namespace veld
