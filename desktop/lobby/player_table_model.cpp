#include "lobby/player_table_model.h"

#include "app/images.h"
#include "app/text.h"

namespace veld::desktop {

namespace {

constexpr int kTagHeaderImage = 10;

PlayerColumn columnOf(int section) {
    return static_cast<PlayerColumn>(section);
}

}  // namespace

PlayerTableModel::PlayerTableModel(PlayerList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), rows_(list.rows()) {
    list_.setObserver(this);
}

void PlayerTableModel::detach() {
    list_.setObserver(nullptr);
}

int PlayerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PlayerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kPlayerColumnCount;
}

const Tuser* PlayerTableModel::user(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return rows_[static_cast<std::size_t>(row)].get();
}

QVariant PlayerTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Tuser* u = user(index.row());
    const PlayerColumn column = columnOf(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return qs(PlayerList::cellText(*u, column));
        case Qt::DecorationRole:
            if (column == PlayerColumn::Name) return listImage(u->iconIndex);
            if (column == PlayerColumn::Friend) {
                const int image = PlayerList::friendImage(*u);
                if (image != kNoImage) return listImage(image);
            }
            return {};
        case Qt::TextAlignmentRole:
            if (column == PlayerColumn::Promotion) return int(Qt::AlignCenter);
            return {};
        default:
            return {};
    }
}

QVariant PlayerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kPlayerColumnCount) return {};
    const PlayerColumn column = columnOf(section);
    if (role == Qt::DisplayRole) return qs(playerColumnInfo(column).caption);
    if (role == Qt::DecorationRole && column == PlayerColumn::Tag)
        return listImage(kTagHeaderImage);
    if (role == Qt::ToolTipRole) return QStringLiteral("按此欄位可重新排序");
    return {};
}

void PlayerTableModel::rowsReset() {
    beginResetModel();
    rows_ = list_.rows();
    endResetModel();
}

void PlayerTableModel::rowInserted(int row) {
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, list_.rows()[static_cast<std::size_t>(row)]);
    endInsertRows();
}

void PlayerTableModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kPlayerColumnCount - 1));
}

void PlayerTableModel::rowRemoved(int row) {
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void PlayerTableModel::selectionChanged(int row) {
    emit coreSelectionChanged(row);
}

}  // namespace veld::desktop
