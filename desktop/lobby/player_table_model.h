// The lobby's player list as a Qt table model: a read-only view over the core's PlayerList. The
// core keeps the rows, the sort and the selection; this model mirrors its rows so that every
// change reaches the view as one exact begin/end notification.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "lobby/player_list.h"

namespace veld::desktop {

class PlayerTableModel final : public QAbstractTableModel, private PlayerListObserver {
    Q_OBJECT
  public:
    // Becomes the list's observer. Destroying the model does not detach it, since the main
    // window's client (which owns the list) goes before its widgets: whoever destroys the model
    // while the list lives on calls detach() first.
    explicit PlayerTableModel(PlayerList& list, QObject* parent = nullptr);

    // The list stops reporting to this model; the rows shown stay as they are.
    void detach();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: the cell text; decoration: the player icon in column 0, the friend / blocked
    // image in the "友" column; alignment: "升降" centred.
    QVariant data(const QModelIndex& index, int role) const override;
    // Captions of the columns; the tag column shows image 10 instead.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The record shown in a row; null out of range.
    const Tuser* user(int row) const;

  signals:
    // The core selected another row (-1: none); the view follows it.
    void coreSelectionChanged(int row);

  private:
    void rowsReset() override;
    void rowInserted(int row) override;
    void rowChanged(int row) override;
    void rowRemoved(int row) override;
    void selectionChanged(int row) override;

    PlayerList& list_;
    // The rows as the view last heard of them; the core's rows are already changed when it
    // reports a change.
    std::vector<UserRef> rows_;
};

}  // namespace veld::desktop
