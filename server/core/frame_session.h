// What every connection of both servers shares: cutting the byte stream into frames, the
// limits a client must keep (frame size, frames per second, a deadline to bind the connection
// to an account), and holding frames back while an asynchronous operation of the connection is
// under way so that replies keep the order of the requests.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/frame.h"
#include "server/core/client_link.h"
#include "server/core/dispatch_table.h"
#include "server/core/rate_limiter.h"
#include "server/core/scheduler.h"

namespace veld::server {

struct SessionLimits {
    // Frames a client may send per second on average, and in one burst.
    double framesPerSecond = 50;
    double frameBurst = 200;
    // Frames (and their bytes) held back while an operation of the connection is under way.
    std::size_t maxHeldFrames = 16;
    std::size_t maxHeldBytes = 128 * 1024;
    // Time a new connection has to log in or join before it is closed.
    std::chrono::milliseconds bindDeadline{std::chrono::seconds(60)};
};

class FrameSession : public ConnectionHandler, public std::enable_shared_from_this<FrameSession> {
  public:
    FrameSession(std::shared_ptr<ClientLink> link, Scheduler& scheduler,
                 const SessionLimits& limits);

    // Arms the bind deadline; call once, right after construction.
    void start();

    void onBytes(std::string_view bytes) final;
    void onClosed() final;

    ClientLink& link() { return *link_; }
    const std::string& address() const { return link_->address(); }
    void send(std::string_view message) { link_->send(message); }
    // Closes the connection (a protocol violation or a refusal that ends the conversation).
    void disconnect() { link_->close(); }
    bool isOpen() const { return link_->isOpen() && !closed_; }

    // An asynchronous operation of this connection started: frames that arrive meanwhile are
    // held back (within the limits) until releaseFrames().
    void holdFrames() { suspended_ = true; }
    // The operation ended: the held frames are handled in order, until one holds them again.
    void releaseFrames();

  protected:
    virtual Binding binding() const = 0;
    // One complete frame, length prefix included.
    virtual DispatchOutcome handleFrame(std::string_view frame) = 0;
    // The connection ended; called once.
    virtual void closed() = 0;

    Scheduler& scheduler() { return scheduler_; }

  private:
    void take(std::string_view frame);
    void runHeld();

    std::shared_ptr<ClientLink> link_;
    Scheduler& scheduler_;
    SessionLimits limits_;
    RateLimiter rate_;
    std::shared_ptr<ConnectionContext> context_ = std::make_shared<ConnectionContext>();
    std::deque<std::string> held_;
    std::size_t heldBytes_ = 0;
    bool suspended_ = false;
    bool runningHeld_ = false;
    bool closed_ = false;
};

}  // namespace veld::server
