// The client core's Net port over real TCP sockets (asio), without a screen: for end-to-end
// tests, bots and load tools. Everything runs on the thread that runs the io_context: the port's
// calls and the events it delivers.
#pragma once

#include <asio.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/ports.h"

namespace veld::headless {

// Where a TcpNet delivers its events. Client has the same four operations; ClientEvents
// forwards to it.
class NetEvents {
  public:
    virtual ~NetEvents() = default;
    virtual void onConnected(Link link) = 0;
    virtual void onData(Link link, std::string_view bytes) = 0;
    virtual void onError(Link link, NetError error) = 0;
    virtual void onDisconnected(Link link) = 0;
};

// Keeps the contract of Net: events only for the connection opened last on a link; the peer's
// orderly close is a disconnect, anything else that ends a connection (refused, reset, a failed
// write) is one NetError::Connection and nothing after it; a host name that does not resolve is
// NetError::HostNotFound; close() and a replacing open() report nothing.
class TcpNet final : public Net {
  public:
    explicit TcpNet(asio::io_context& io);
    // Closes both links; handlers still queued in the io_context then do nothing.
    ~TcpNet() override;
    TcpNet(const TcpNet&) = delete;
    TcpNet& operator=(const TcpNet&) = delete;

    // Events go here from now on; null drops them.
    void setEvents(NetEvents* events) { events_ = events; }

    void open(Link link, const std::string& host, std::uint16_t port) override;
    bool isConnected(Link link) const override;
    // Bytes are written at once as far as the socket takes them; the rest is queued and written
    // in order. Dropped on a link that is not connected.
    void send(Link link, std::string_view bytes) override;
    // Closes at once: bytes still queued here are dropped.
    void close(Link link) override;

  private:
    struct Connection;
    static std::size_t index(Link link) { return link == Link::Game ? 0 : 1; }

    void connect(const std::shared_ptr<Connection>& c, const asio::ip::tcp::endpoint& endpoint);
    void read(const std::shared_ptr<Connection>& c);
    void write(const std::shared_ptr<Connection>& c);
    // The connection ended: it is detached first, so that the event's handler sees the link
    // closed and may open it again.
    void fail(const std::shared_ptr<Connection>& c, NetError error);
    void disconnected(const std::shared_ptr<Connection>& c);
    void detach(Link link);

    asio::io_context& io_;
    NetEvents* events_ = nullptr;
    std::shared_ptr<Connection> links_[2];
};

}  // namespace veld::headless
