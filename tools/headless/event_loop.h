// Runs an io_context on the calling thread until a condition holds or time runs out: how tests
// and bots wait for the servers, without sleeping.
#pragma once

#include <asio.hpp>
#include <chrono>
#include <functional>

namespace veld::headless {

class EventLoop {
  public:
    EventLoop() = default;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    asio::io_context& io() { return io_; }

    // Runs handlers one at a time until `done` holds (checked before the first and after each
    // one) or `timeout` has passed; returns done(). Not to be called from inside a handler of
    // this loop.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

  private:
    asio::io_context io_;
    // The loop waits for events even while no operation is pending.
    asio::executor_work_guard<asio::io_context::executor_type> work_ = asio::make_work_guard(io_);
};

}  // namespace veld::headless
