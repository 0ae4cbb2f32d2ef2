// Time and deferred work as the protocol logic sees them. The server runs them on asio (one
// thread per server plus a small worker pool); tests and fuzz targets run them by hand.
#pragma once

#include <chrono>
#include <functional>

namespace veld::server {

using TimePoint = std::chrono::steady_clock::time_point;

class Scheduler {
  public:
    using Task = std::function<void()>;
    virtual ~Scheduler() = default;
    virtual TimePoint now() const = 0;
    // Runs `task` on the service's thread once `delay` has passed. Tasks still waiting when the
    // server stops are dropped without running.
    virtual void after(std::chrono::milliseconds delay, Task task) = 0;
    // Runs `work` off the service's thread (CPU-heavy work such as password hashing), then `done`
    // on the service's thread. Both are dropped if the server stops first.
    virtual void offload(Task work, Task done) = 0;
};

}  // namespace veld::server
