// The Scheduler of a server on asio: timers on the server's io_context, offloaded work on a
// shared worker pool whose results come back to the io_context.
#pragma once

#include <memory>
#include <unordered_set>

#include "server/core/scheduler.h"
#include "server/net/asio.h"

namespace veld::server {

class AsioScheduler final : public Scheduler {
  public:
    AsioScheduler(asio::io_context& io, asio::thread_pool& workers) : io_(io), workers_(workers) {}

    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void after(std::chrono::milliseconds delay, Task task) override;
    void offload(Task work, Task done) override;
    // Cancels the waiting timers and refuses new tasks. On the io_context's thread.
    void stop();

  private:
    asio::io_context& io_;
    asio::thread_pool& workers_;
    std::unordered_set<std::shared_ptr<asio::steady_timer>> timers_;
    bool stopped_ = false;
};

}  // namespace veld::server
