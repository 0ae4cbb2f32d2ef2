#include "lobby/game_table_model.h"

#include "app/images.h"
#include "app/text.h"

namespace veld::desktop {

namespace {

GameColumn columnOf(int section) {
    return static_cast<GameColumn>(section);
}

}  // namespace

QVariant GameTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Tgame* g = record(index.row());
    const GameColumn column = columnOf(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return qs(GameList::cellText(*g, column));
        case Qt::DecorationRole:
            if (column == GameColumn::Number) return listImage(g->iconIndex);
            return {};
        default:
            return {};
    }
}

QVariant GameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kGameColumnCount) return {};
    if (role == Qt::DisplayRole) return qs(gameColumnInfo(columnOf(section)).caption);
    return {};
}

void GameTableModel::observerCellChanged(int row) {
    const QModelIndex cell = index(row, static_cast<int>(GameColumn::Observers));
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

}  // namespace veld::desktop
