// The lobby's game list as a Qt table model: a read-only view over the core's GameList, which
// keeps the rows, the sort and the selection. The model mirrors the rows so that every change
// reaches the view as one exact begin/end notification.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "lobby/game_list.h"

namespace veld::desktop {

class GameTableModel final : public QAbstractTableModel, private GameListObserver {
    Q_OBJECT
  public:
    // Becomes the list's observer. Destroying the model does not detach it, since the main
    // window's client (which owns the list) goes before its widgets: whoever destroys the model
    // while the list lives on calls detach() first.
    explicit GameTableModel(GameList& list, QObject* parent = nullptr);

    // The list stops reporting to this model; the rows shown stay as they are.
    void detach();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: the cell text; decoration: the game's image (6, 14, 15) in column 0.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The game shown in a row; null out of range.
    const Tgame* game(int row) const;

  signals:
    // The core selected another row (-1: none); the view follows it.
    void coreSelectionChanged(int row);

  private:
    void rowsReset() override;
    void rowInserted(int row) override;
    void rowChanged(int row) override;
    void observerCellChanged(int row) override;
    void rowRemoved(int row) override;
    void selectionChanged(int row) override;

    GameList& list_;
    std::vector<GameRef> rows_;
};

}  // namespace veld::desktop
