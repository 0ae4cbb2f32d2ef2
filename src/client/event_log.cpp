#include "client/event_log.h"

#include <algorithm>

#include "lobby/list_sort.h"
#include "protocol/fields.h"

namespace veld {

void EventLog::add(std::u16string from, std::u16string rank, std::u16string message,
                   std::u16string event, std::u16string time) {
    // Three digits at least; from 1000 on every digit stays.
    const std::string number = std::to_string(rows_.size() + 1);
    rows_.push_back({latin(padZero(number, std::max<std::size_t>(3, number.size()))),
                     std::move(time), std::move(from), std::move(rank), std::move(event),
                     std::move(message)});
    if (listener_) listener_();
}

void EventLog::clear() {
    rows_.clear();
    if (listener_) listener_();
}

}  // namespace veld
