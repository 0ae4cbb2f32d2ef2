#include "lobby/game_table_model.h"

#include "app/images.h"
#include "app/text.h"

namespace veld::desktop {

namespace {

GameColumn columnOf(int section) {
    return static_cast<GameColumn>(section);
}

}  // namespace

GameTableModel::GameTableModel(GameList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), rows_(list.rows()) {
    list_.setObserver(this);
}

void GameTableModel::detach() {
    list_.setObserver(nullptr);
}

int GameTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGameColumnCount;
}

const Tgame* GameTableModel::game(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return rows_[static_cast<std::size_t>(row)].get();
}

QVariant GameTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Tgame* g = game(index.row());
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

void GameTableModel::rowsReset() {
    beginResetModel();
    rows_ = list_.rows();
    endResetModel();
}

void GameTableModel::rowInserted(int row) {
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, list_.rows()[static_cast<std::size_t>(row)]);
    endInsertRows();
}

void GameTableModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kGameColumnCount - 1));
}

void GameTableModel::observerCellChanged(int row) {
    const QModelIndex cell = index(row, static_cast<int>(GameColumn::Observers));
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void GameTableModel::rowRemoved(int row) {
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void GameTableModel::selectionChanged(int row) {
    emit coreSelectionChanged(row);
}

}  // namespace veld::desktop
