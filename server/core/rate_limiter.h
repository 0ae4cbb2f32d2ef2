// A token bucket: `rate` events per second on average, bursts of up to `burst` events.
#pragma once

#include "server/core/scheduler.h"

namespace veld::server {

class RateLimiter {
  public:
    RateLimiter(double rate, double burst) : rate_(rate), burst_(burst), tokens_(burst) {}
    // Takes one token; false when the bucket is empty (the event exceeds the rate).
    bool tryTake(TimePoint now);

  private:
    double rate_;
    double burst_;
    double tokens_;
    TimePoint last_{};
    bool started_ = false;
};

}  // namespace veld::server
