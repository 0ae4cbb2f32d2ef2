// One accepted connection: the ClientLink of the protocol logic over a TCP socket.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "server/core/client_link.h"
#include "server/net/asio.h"
#include "server/net/tcp_server.h"

namespace veld::server {

class TcpSession final : public ClientLink, public std::enable_shared_from_this<TcpSession> {
  public:
    TcpSession(asio::ip::tcp::socket socket, std::string address, TcpServer& server,
               const TransportLimits& limits);

    void start(std::shared_ptr<ConnectionHandler> handler);
    // The server is going away: the session no longer reports its end to it.
    void detach() { server_ = nullptr; }

    void send(std::string_view message) override;
    void close() override;
    bool isOpen() const override { return open_; }
    const std::string& address() const override { return address_; }

  private:
    void read();
    void write();
    void finish();

    asio::ip::tcp::socket socket_;
    asio::steady_timer stallTimer_;
    std::string address_;
    TcpServer* server_;
    const TransportLimits& limits_;
    std::shared_ptr<ConnectionHandler> handler_;
    std::array<char, 16 * 1024> readBuffer_;
    std::deque<std::string> queue_;
    std::size_t queuedBytes_ = 0;
    bool writing_ = false;
    bool open_ = true;
};

}  // namespace veld::server
