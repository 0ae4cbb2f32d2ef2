// The lobby's game list as a Qt table model over the core's GameList.
#pragma once

#include "lobby/game_list.h"
#include "lobby/list_table_model.h"

namespace veld::desktop {

class GameTableModel final : public MirroredTableModel<GameList, GameListObserver> {
  public:
    explicit GameTableModel(GameList& list, QObject* parent = nullptr)
        : MirroredTableModel(list, kGameColumnCount, parent) {}

    // Display: the cell text; decoration: the game's image in column 0.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    void observerCellChanged(int row) override;
};

}  // namespace veld::desktop
