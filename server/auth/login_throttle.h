// Slows down password guessing. Every failed login counts against the account and against the
// client's address; past a few free failures each further attempt on that account or from that
// address waits before its password is checked, twice as long per failure up to a ceiling.
// Attempts made in parallel on several connections take turns. Failures are forgotten after a
// quiet period; a successful login clears its account's count (not its address's, so that a
// guesser cannot reset it by logging into an account of his own).
//
// The wait is applied to the reply, whatever the outcome, so a quick answer never tells a
// guesser that he found the password. The event loop never blocks: the caller schedules the
// check after the returned wait.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/core/scheduler.h"

namespace veld::server {

struct ThrottlePolicy {
    int freeAccountFailures = 3;
    int freeAddressFailures = 10;
    std::chrono::milliseconds firstDelay{250};
    std::chrono::milliseconds maxDelay{std::chrono::seconds(30)};
    std::chrono::milliseconds forgetAfter{std::chrono::minutes(15)};
    // Keys remembered at most per table; beyond it new keys are not tracked until old ones are
    // forgotten, so a flood of addresses cannot grow memory.
    std::size_t maxEntries = 10000;
};

class LoginThrottle {
  public:
    explicit LoginThrottle(ThrottlePolicy policy) : policy_(policy) {}

    // The wait before the password of an attempt starting now is checked. `account` is empty
    // when no such account exists (unknown names are not tracked by name).
    std::chrono::milliseconds admit(std::string_view account, std::string_view address,
                                    TimePoint now);
    void failed(std::string_view account, std::string_view address, TimePoint now);
    void succeeded(std::string_view account);

  private:
    struct Entry {
        int failures = 0;
        TimePoint lastFailure{};
        TimePoint nextSlot{};
    };
    using Table = std::unordered_map<std::string, Entry>;

    std::chrono::milliseconds reserve(Table& table, std::string_view key, int freeFailures,
                                      TimePoint now);
    void count(Table& table, std::string_view key, TimePoint now);
    bool stale(const Entry& e, TimePoint now) const;
    void prune(Table& table, TimePoint now);

    ThrottlePolicy policy_;
    Table accounts_;
    Table addresses_;
};

}  // namespace veld::server
