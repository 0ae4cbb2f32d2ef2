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

QVariant PlayerTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Tuser* u = record(index.row());
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

}  // namespace veld::desktop
