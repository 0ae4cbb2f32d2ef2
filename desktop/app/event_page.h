// The page "事件": the event list with its check boxes, "清除", and a button that hides the page.
#pragma once

#include <QTreeWidget>
#include <QWidget>

#include "client/event_log.h"

namespace veld::desktop {

class EventPage final : public QWidget {
    Q_OBJECT
  public:
    EventPage(EventLog& log, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }

  signals:
    void hideRequested();
    void rowDoubleClicked(int row);

  private:
    void refresh();

    EventLog& log_;
    QTreeWidget* list_;
};

}  // namespace veld::desktop
