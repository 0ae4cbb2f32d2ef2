// The lobby's player list as a Qt table model over the core's PlayerList.
#pragma once

#include "lobby/list_table_model.h"
#include "lobby/player_list.h"

namespace veld::desktop {

class PlayerTableModel final : public MirroredTableModel<PlayerList, ListObserver> {
  public:
    explicit PlayerTableModel(PlayerList& list, QObject* parent = nullptr)
        : MirroredTableModel(list, kPlayerColumnCount, parent) {}

    // Display: the cell text; decoration: the player icon in column 0, the friend / blocked
    // image in the "友" column; alignment: "升降" centred.
    QVariant data(const QModelIndex& index, int role) const override;
    // Captions of the columns; the tag column shows image 10 instead.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

}  // namespace veld::desktop
