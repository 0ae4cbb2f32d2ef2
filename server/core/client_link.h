// The seam between a server's protocol logic and its transport. The TCP transport implements
// ClientLink and drives a ConnectionHandler per connection; the tests and the fuzz targets do
// the same without sockets, bytes in and messages out.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace veld::server {

// One client connection as the protocol logic sees it.
class ClientLink {
  public:
    virtual ~ClientLink() = default;
    // Queues one message (code and fields, without the length prefix) for the client. Nothing
    // happens on a closed link. A message longer than kMaxMessageBytes is a programming error:
    // it is not sent and the link is closed.
    virtual void send(std::string_view message) = 0;
    // Ends the connection at once; queued messages are dropped. Idempotent.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The peer's address as text: dotted IPv4 for IPv4 peers and IPv4-mapped IPv6 peers.
    virtual const std::string& address() const = 0;
};

// The protocol side of one connection.
class ConnectionHandler {
  public:
    virtual ~ConnectionHandler() = default;
    // Bytes arrived, in order.
    virtual void onBytes(std::string_view bytes) = 0;
    // The connection ended, whichever side closed it. Called once, and never from inside
    // onBytes or a ClientLink call, so a handler may close links freely.
    virtual void onClosed() = 0;
};

// A server's protocol logic: one handler per accepted connection.
class Service {
  public:
    virtual ~Service() = default;
    virtual std::shared_ptr<ConnectionHandler> open(std::shared_ptr<ClientLink> link) = 0;
};

}  // namespace veld::server
