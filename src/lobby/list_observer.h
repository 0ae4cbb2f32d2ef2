// What a view of one of the lobby's lists must follow. Row indexes are those of the list's
// rows(); each call comes after the list changed.
#pragma once

namespace veld {

class ListObserver {
  public:
    virtual ~ListObserver() = default;
    virtual void rowsReset() = 0;
    virtual void rowInserted(int row) = 0;
    // The row's image and cells are to be read again.
    virtual void rowChanged(int row) = 0;
    virtual void rowRemoved(int row) = 0;
    // The selected row changed (-1: none); a view scrolls a selected row into full view.
    virtual void selectionChanged(int row) = 0;
};

}  // namespace veld
