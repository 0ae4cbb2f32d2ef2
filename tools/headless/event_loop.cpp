#include "headless/event_loop.h"

namespace veld::headless {

bool EventLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (io_.stopped()) io_.restart();
        io_.run_one_until(deadline);
    }
    return true;
}

}  // namespace veld::headless
