// The TCP transport of one server: an acceptor and a session per connection, all on the
// server's io_context thread. Each session reads into its protocol handler and writes with one
// write in flight and a bounded queue: a client that does not read is disconnected once its
// queue passes the limit, or when one write stalls too long, so memory never grows without bound.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "server/core/client_link.h"
#include "server/net/asio.h"

namespace veld::server {

struct TransportLimits {
    std::size_t maxConnections = 4096;
    std::size_t maxConnectionsPerAddress = 32;
    // Bytes queued for one client beyond which it is disconnected.
    std::size_t writeQueueLimit = 1024 * 1024;
    // A write that makes no progress for this long disconnects the client.
    std::chrono::milliseconds writeStall{std::chrono::seconds(60)};
    // SO_SNDBUF of accepted sockets; 0 keeps the system's.
    int socketSendBuffer = 0;
};

class TcpSession;

class TcpServer {
  public:
    TcpServer(asio::io_context& io, Service& service, TransportLimits limits);
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Binds and listens; false with a reason in `error`.
    bool listen(const std::string& address, std::uint16_t port, std::string& error);
    asio::ip::tcp::endpoint localEndpoint() const;
    // Starts accepting. Call before the io_context runs, or on its thread.
    void start();
    // Closes the acceptor and every session. On the io_context's thread.
    void stop();

  private:
    friend class TcpSession;
    void accept();
    void admit(asio::ip::tcp::socket socket);
    void forget(TcpSession* session);

    asio::io_context& io_;
    Service& service_;
    TransportLimits limits_;
    asio::ip::tcp::acceptor acceptor_;
    std::unordered_map<TcpSession*, std::shared_ptr<TcpSession>> sessions_;
    std::unordered_map<std::string, std::size_t> perAddress_;
    bool stopping_ = false;
};

}  // namespace veld::server
