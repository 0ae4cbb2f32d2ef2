// The login throttle on a clock the test moves.
#include <gtest/gtest.h>

#include "server/auth/login_throttle.h"

namespace veld::server {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

ThrottlePolicy policy() {
    ThrottlePolicy p;
    p.freeAccountFailures = 2;
    p.freeAddressFailures = 4;
    p.firstDelay = 100ms;
    p.maxDelay = 1000ms;
    p.forgetAfter = 60s;
    return p;
}

TEST(LoginThrottle, DelaysDoublePerFailurePastTheFreeOnesUpToTheCeiling) {
    LoginThrottle throttle(policy());
    TimePoint now{};
    std::vector<long> waits;
    for (int i = 0; i < 8; ++i) {
        // One attempt at a time from different addresses: only the account's count matters.
        const std::string address = "10.0.0." + std::to_string(i);
        const milliseconds wait = throttle.admit("alice", address, now);
        waits.push_back(wait.count());
        now += wait;
        throttle.failed("alice", address, now);
    }
    EXPECT_EQ(waits, (std::vector<long>{0, 0, 0, 100, 200, 400, 800, 1000}));

    throttle.succeeded("alice");
    EXPECT_EQ(throttle.admit("alice", "10.0.0.9", now), 0ms) << "success clears the account";
}

TEST(LoginThrottle, ParallelAttemptsTakeTurnsAndQuietTimeForgets) {
    LoginThrottle throttle(policy());
    TimePoint now{};
    for (int i = 0; i < 3; ++i) throttle.failed("alice", "10.0.0.1", now);
    EXPECT_EQ(throttle.admit("alice", "10.0.0.2", now), 100ms);
    EXPECT_EQ(throttle.admit("alice", "10.0.0.3", now), 200ms);
    EXPECT_EQ(throttle.admit("alice", "10.0.0.4", now), 300ms);
    EXPECT_EQ(throttle.admit("alice", "10.0.0.5", now + 10s), 100ms);
    EXPECT_EQ(throttle.admit("alice", "10.0.0.6", now + 61s), 0ms);
}

TEST(LoginThrottle, CountsAnAddressAcrossAccountsAndSuccessDoesNotClearIt) {
    LoginThrottle throttle(policy());
    TimePoint now{};
    for (int i = 0; i < 5; ++i) throttle.failed("", "10.0.0.1", now);  // unknown names
    throttle.succeeded("mallory");
    EXPECT_EQ(throttle.admit("", "10.0.0.1", now), 100ms);
    EXPECT_EQ(throttle.admit("", "10.0.0.2", now), 0ms);
}

TEST(LoginThrottle, TracksABoundedNumberOfKeys) {
    ThrottlePolicy p = policy();
    p.maxEntries = 3;
    p.freeAddressFailures = 0;
    LoginThrottle throttle(p);
    TimePoint now{};
    for (int i = 0; i < 5; ++i) throttle.failed("", "10.0.0." + std::to_string(i), now);
    EXPECT_EQ(throttle.admit("", "10.0.0.2", now), 100ms);
    EXPECT_EQ(throttle.admit("", "10.0.0.4", now), 0ms) << "not tracked: the table was full";
    EXPECT_EQ(throttle.admit("", "10.0.0.4", now + 61s), 0ms);
    throttle.failed("", "10.0.0.4", now + 61s);
    EXPECT_EQ(throttle.admit("", "10.0.0.4", now + 61s), 100ms) << "room after forgetting";
}

}  // namespace
}  // namespace veld::server
