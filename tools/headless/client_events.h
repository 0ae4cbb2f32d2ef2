// Feeds the events of a TcpNet to a client core. An observer may watch every frame the client
// received, once the client has handled it: tests and bots see the messages that no component of
// the core handles yet, and the client's state already reflects them.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "client/client.h"
#include "headless/tcp_net.h"
#include "protocol/frame.h"

namespace veld::headless {

class ClientEvents final : public NetEvents {
  public:
    using FrameObserver = std::function<void(Link link, std::string_view frame)>;

    // Attaches itself to the net for its lifetime.
    ClientEvents(TcpNet& net, Client& client);
    ~ClientEvents() override;
    ClientEvents(const ClientEvents&) = delete;
    ClientEvents& operator=(const ClientEvents&) = delete;

    // Frames come with their length prefix, per link in the order received.
    void setFrameObserver(FrameObserver observer) { observer_ = std::move(observer); }

    void onConnected(Link link) override;
    void onData(Link link, std::string_view bytes) override;
    void onError(Link link, NetError error) override { client_.onError(link, error); }
    void onDisconnected(Link link) override { client_.onDisconnected(link); }

  private:
    static std::size_t index(Link link) { return link == Link::Game ? 0 : 1; }

    TcpNet& net_;
    Client& client_;
    FrameObserver observer_;
    // The observer's own framing of each link, started afresh with every connection.
    std::shared_ptr<ConnectionContext> frames_[2];
};

}  // namespace veld::headless
