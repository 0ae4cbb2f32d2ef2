#include "client/event_log.h"

namespace veld {

void EventLog::add(std::u16string from, std::u16string rank, std::u16string message,
                   std::u16string event, std::u16string time) {
    std::u16string index;
    for (char c : std::to_string(rows_.size() + 1)) index += static_cast<char16_t>(c);
    if (index.size() < 3) index.insert(0, 3 - index.size(), u'0');
    rows_.push_back({std::move(index), std::move(time), std::move(from), std::move(rank),
                     std::move(event), std::move(message)});
    if (listener_) listener_();
}

void EventLog::clear() {
    rows_.clear();
    if (listener_) listener_();
}

}  // namespace veld
