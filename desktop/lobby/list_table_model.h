// A read-only Qt table model over one of the lobby's lists. The core keeps the rows, the sort
// and the selection; the model mirrors the rows so that every change reaches the view as one
// exact begin/end notification (the core's rows have already changed when it reports).
#pragma once

#include <QAbstractTableModel>
#include <type_traits>
#include <vector>

namespace veld::desktop {

// The signal every lobby list model gives its view (a class template cannot declare signals).
class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

  signals:
    // The core selected another row (-1: none); the view follows it.
    void coreSelectionChanged(int row);
};

// `List` has rows() (shared pointers to the records) and setObserver(Observer*); `Observer`
// is the list's observer interface.
template <class List, class Observer>
class MirroredTableModel : public ListTableModel, protected Observer {
  public:
    using Ref = typename std::remove_cvref_t<decltype(std::declval<List&>().rows())>::value_type;
    using Record = typename Ref::element_type;

    // Becomes the list's observer. Destroying the model does not detach it, since the main
    // window's client (which owns the list) goes before its widgets: whoever destroys the model
    // while the list lives on calls detach() first.
    MirroredTableModel(List& list, int columns, QObject* parent)
        : ListTableModel(parent), list_(list), columns_(columns), rows_(list.rows()) {
        list_.setObserver(this);
    }

    // The list stops reporting to this model; the rows shown stay as they are.
    void detach() { list_.setObserver(nullptr); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }

    // The record shown in a row; null out of range.
    const Record* record(int row) const {
        if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
        return rows_[static_cast<std::size_t>(row)].get();
    }

  protected:
    void rowsReset() override {
        beginResetModel();
        rows_ = list_.rows();
        endResetModel();
    }
    void rowInserted(int row) override {
        beginInsertRows({}, row, row);
        rows_.insert(rows_.begin() + row, list_.rows()[static_cast<std::size_t>(row)]);
        endInsertRows();
    }
    void rowChanged(int row) override { emit dataChanged(index(row, 0), index(row, columns_ - 1)); }
    void rowRemoved(int row) override {
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }
    void selectionChanged(int row) override { emit coreSelectionChanged(row); }

  private:
    List& list_;
    int columns_;
    // The rows as the view last heard of them.
    std::vector<Ref> rows_;
};

}  // namespace veld::desktop
