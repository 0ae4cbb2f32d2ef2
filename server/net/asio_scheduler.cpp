#include "server/net/asio_scheduler.h"

namespace veld::server {

void AsioScheduler::after(std::chrono::milliseconds delay, Task task) {
    if (stopped_) return;
    auto timer = std::make_shared<asio::steady_timer>(io_, delay);
    timers_.insert(timer);
    timer->async_wait([this, timer, task = std::move(task)](std::error_code ec) {
        timers_.erase(timer);
        if (!ec && !stopped_) task();
    });
}

void AsioScheduler::offload(Task work, Task done) {
    if (stopped_) return;
    asio::post(workers_, [this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        asio::post(io_, [this, done = std::move(done)] {
            if (!stopped_) done();
        });
    });
}

void AsioScheduler::stop() {
    stopped_ = true;
    for (const auto& timer : timers_) timer->cancel();
}

}  // namespace veld::server
