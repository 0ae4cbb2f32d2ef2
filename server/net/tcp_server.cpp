#include "server/net/tcp_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include "server/net/tcp_session.h"

namespace veld::server {

namespace {

// Dotted text for IPv4 peers, also when they reach an IPv6 listener. The IPv6 loopback reads as
// 127.0.0.1: a local client may log in over ::1 and join over the IPv4 address the game-server
// list announces, and both are the same machine.
std::string addressText(const asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped())
        return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6()).to_string();
    if (address.is_loopback() && address.is_v6()) return "127.0.0.1";
    return address.to_string();
}

// Keep-alive probes find peers that vanished without closing (a crashed client keeps its
// account "on line" until its connection is known to be dead) within about two minutes.
void tuneSocket(asio::ip::tcp::socket& socket, const TransportLimits& limits) {
    std::error_code ignored;
    socket.set_option(asio::ip::tcp::no_delay(true), ignored);
    socket.set_option(asio::socket_base::keep_alive(true), ignored);
    const int fd = socket.native_handle();
    const int idle = 60, interval = 10, count = 6;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
    if (limits.socketSendBuffer > 0)
        socket.set_option(asio::socket_base::send_buffer_size(limits.socketSendBuffer), ignored);
}

}  // namespace

TcpServer::TcpServer(asio::io_context& io, Service& service, TransportLimits limits)
    : io_(io), service_(service), limits_(limits), acceptor_(io) {}

TcpServer::~TcpServer() {
    for (auto& [raw, session] : sessions_) {
        session->detach();
        session->close();
    }
}

bool TcpServer::listen(const std::string& address, std::uint16_t port, std::string& error) {
    std::error_code ec;
    const auto ip = asio::ip::make_address(address, ec);
    if (ec) {
        error = "not an IP address: " + address;
        return false;
    }
    const asio::ip::tcp::endpoint endpoint(ip, port);
    acceptor_.open(endpoint.protocol(), ec);
    if (!ec) acceptor_.set_option(asio::ip::tcp::acceptor::reuse_address(true), ec);
    if (!ec) acceptor_.bind(endpoint, ec);
    if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        error = "cannot listen on " + address + ":" + std::to_string(port) + ": " + ec.message();
        return false;
    }
    return true;
}

asio::ip::tcp::endpoint TcpServer::localEndpoint() const {
    std::error_code ec;
    return acceptor_.local_endpoint(ec);
}

void TcpServer::start() {
    accept();
}

void TcpServer::accept() {
    acceptor_.async_accept([this](std::error_code ec, asio::ip::tcp::socket socket) {
        if (stopping_ || !acceptor_.is_open()) return;
        if (!ec) admit(std::move(socket));
        accept();
    });
}

void TcpServer::admit(asio::ip::tcp::socket socket) {
    std::error_code ec;
    const auto remote = socket.remote_endpoint(ec);
    if (ec) return;
    std::string address = addressText(remote.address());
    std::size_t& fromAddress = perAddress_[address];
    if (sessions_.size() >= limits_.maxConnections ||
        fromAddress >= limits_.maxConnectionsPerAddress) {
        if (fromAddress == 0) perAddress_.erase(address);
        socket.close(ec);
        return;
    }
    ++fromAddress;
    tuneSocket(socket, limits_);
    auto session =
        std::make_shared<TcpSession>(std::move(socket), std::move(address), *this, limits_);
    sessions_.emplace(session.get(), session);
    session->start(service_.open(session));
}

void TcpServer::forget(TcpSession* session) {
    const auto it = sessions_.find(session);
    if (it == sessions_.end()) return;
    const auto count = perAddress_.find(session->address());
    if (count != perAddress_.end() && --count->second == 0) perAddress_.erase(count);
    sessions_.erase(it);
}

void TcpServer::stop() {
    stopping_ = true;
    std::error_code ignored;
    acceptor_.close(ignored);
    // close() only posts the sessions' endings; the map is not changed while we walk it.
    for (auto& [raw, session] : sessions_) session->close();
}

}  // namespace veld::server
