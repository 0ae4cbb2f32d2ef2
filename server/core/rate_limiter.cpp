#include "server/core/rate_limiter.h"

#include <algorithm>

namespace veld::server {

bool RateLimiter::tryTake(TimePoint now) {
    if (!started_) {
        started_ = true;
        last_ = now;
    }
    if (now > last_) {
        const std::chrono::duration<double> elapsed = now - last_;
        tokens_ = std::min(burst_, tokens_ + elapsed.count() * rate_);
        last_ = now;
    }
    if (tokens_ < 1.0) return false;
    tokens_ -= 1.0;
    return true;
}

}  // namespace veld::server
