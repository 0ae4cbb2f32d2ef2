// The event list of the page "事件": notable events (calls, invitations, game notices) collected
// while the user was elsewhere. The page's view shows these rows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veld {

struct EventRow {
    std::u16string index;  // the row's number after it was added, three digits
    std::u16string time;   // time of day
    std::u16string from;
    std::u16string rank;
    std::u16string event;
    std::u16string message;
};

class EventLog {
  public:
    // Told after every change, so that a view follows.
    using Listener = std::function<void()>;

    void setListener(Listener listener) { listener_ = std::move(listener); }

    // Appends a row numbered after the rows already there.
    void add(std::u16string from, std::u16string rank, std::u16string message, std::u16string event,
             std::u16string time);
    // "清除".
    void clear();

    const std::vector<EventRow>& rows() const { return rows_; }

  private:
    std::vector<EventRow> rows_;
    Listener listener_;
};

}  // namespace veld
