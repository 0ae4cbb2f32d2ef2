#include "server/auth/login_throttle.h"

#include <algorithm>

namespace veld::server {

using std::chrono::milliseconds;

bool LoginThrottle::stale(const Entry& e, TimePoint now) const {
    return e.lastFailure + policy_.forgetAfter <= now && e.nextSlot <= now;
}

void LoginThrottle::prune(Table& table, TimePoint now) {
    std::erase_if(table, [&](const auto& item) { return stale(item.second, now); });
}

milliseconds LoginThrottle::reserve(Table& table, std::string_view key, int freeFailures,
                                    TimePoint now) {
    if (key.empty()) return milliseconds(0);
    const auto it = table.find(std::string(key));
    if (it == table.end()) return milliseconds(0);
    Entry& e = it->second;
    if (stale(e, now)) {
        table.erase(it);
        return milliseconds(0);
    }
    milliseconds delay(0);
    const int excess = e.failures - freeFailures;
    if (excess > 0) {
        delay = policy_.firstDelay;
        for (int i = 1; i < excess && delay < policy_.maxDelay; ++i) delay *= 2;
        delay = std::min(delay, policy_.maxDelay);
    }
    const TimePoint slot = std::min(std::max(now, e.nextSlot) + delay, now + policy_.maxDelay);
    e.nextSlot = slot;
    return std::chrono::ceil<milliseconds>(slot - now);
}

milliseconds LoginThrottle::admit(std::string_view account, std::string_view address,
                                  TimePoint now) {
    return std::max(reserve(accounts_, account, policy_.freeAccountFailures, now),
                    reserve(addresses_, address, policy_.freeAddressFailures, now));
}

void LoginThrottle::count(Table& table, std::string_view key, TimePoint now) {
    if (key.empty()) return;
    auto it = table.find(std::string(key));
    if (it == table.end()) {
        if (table.size() >= policy_.maxEntries) prune(table, now);
        if (table.size() >= policy_.maxEntries) return;
        it = table.emplace(std::string(key), Entry{}).first;
    } else if (stale(it->second, now)) {
        it->second = Entry{};
    }
    ++it->second.failures;
    it->second.lastFailure = now;
}

void LoginThrottle::failed(std::string_view account, std::string_view address, TimePoint now) {
    count(accounts_, account, now);
    count(addresses_, address, now);
}

void LoginThrottle::succeeded(std::string_view account) {
    accounts_.erase(std::string(account));
}

}  // namespace veld::server
