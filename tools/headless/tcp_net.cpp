#include "headless/tcp_net.h"

#include <array>

namespace veld::headless {

struct TcpNet::Connection {
    Connection(asio::io_context& io, TcpNet* net, Link link)
        : owner(net), link(link), resolver(io), socket(io) {}

    // Null once the connection is no longer its link's current one (closed, replaced, failed,
    // or the TcpNet is gone): its handlers then return without a word.
    TcpNet* owner;
    Link link;
    asio::ip::tcp::resolver resolver;
    asio::ip::tcp::socket socket;
    bool connected = false;
    // `writing` is in flight; `pending` waits for it.
    std::string writing;
    std::string pending;
    bool writeInFlight = false;
    std::array<char, 64 * 1024> buffer{};
};

TcpNet::TcpNet(asio::io_context& io) : io_(io) {}

TcpNet::~TcpNet() {
    detach(Link::Game);
    detach(Link::Community);
}

void TcpNet::open(Link link, const std::string& host, std::uint16_t port) {
    detach(link);
    auto c = std::make_shared<Connection>(io_, this, link);
    links_[index(link)] = c;

    std::error_code ec;
    const asio::ip::address address = asio::ip::make_address(host, ec);
    if (!ec) {
        connect(c, asio::ip::tcp::endpoint(address, port));
        return;
    }
    c->resolver.async_resolve(
        host, std::to_string(port),
        [c](const std::error_code& error, const asio::ip::tcp::resolver::results_type& found) {
            TcpNet* net = c->owner;
            if (net == nullptr) return;
            if (error || found.empty()) return net->fail(c, NetError::HostNotFound);
            // The first address found is used; no other is tried.
            net->connect(c, found.begin()->endpoint());
        });
}

void TcpNet::connect(const std::shared_ptr<Connection>& c,
                     const asio::ip::tcp::endpoint& endpoint) {
    c->socket.async_connect(endpoint, [c](const std::error_code& error) {
        TcpNet* net = c->owner;
        if (net == nullptr) return;
        if (error) return net->fail(c, NetError::Connection);
        c->connected = true;
        std::error_code ignored;
        c->socket.set_option(asio::ip::tcp::no_delay(true), ignored);
        // send() writes what the socket takes at once and never blocks.
        c->socket.non_blocking(true, ignored);
        if (net->events_) net->events_->onConnected(c->link);
        if (c->owner) net->read(c);
    });
}

void TcpNet::read(const std::shared_ptr<Connection>& c) {
    c->socket.async_read_some(
        asio::buffer(c->buffer), [c](const std::error_code& error, std::size_t n) {
            TcpNet* net = c->owner;
            if (net == nullptr) return;
            if (error == asio::error::eof) return net->disconnected(c);
            if (error) return net->fail(c, NetError::Connection);
            // The buffer belongs to the connection, which this handler keeps alive even if
            // the client closes the link while it handles the bytes.
            if (net->events_) net->events_->onData(c->link, std::string_view(c->buffer.data(), n));
            if (c->owner) net->read(c);
        });
}

bool TcpNet::isConnected(Link link) const {
    const auto& c = links_[index(link)];
    return c && c->connected;
}

void TcpNet::send(Link link, std::string_view bytes) {
    const std::shared_ptr<Connection> c = links_[index(link)];
    if (!c || !c->connected || bytes.empty()) return;
    if (!c->writeInFlight) {
        std::error_code error;
        const std::size_t n = c->socket.write_some(asio::buffer(bytes), error);
        if (error && error != asio::error::would_block && error != asio::error::try_again) {
            // Reported as an event of its own, not from inside the caller's send.
            asio::post(io_, [c] {
                if (TcpNet* net = c->owner) net->fail(c, NetError::Connection);
            });
            return;
        }
        bytes.remove_prefix(n);
        if (bytes.empty()) return;
    }
    c->pending += bytes;
    if (!c->writeInFlight) write(c);
}

void TcpNet::write(const std::shared_ptr<Connection>& c) {
    c->writing.swap(c->pending);
    c->pending.clear();
    c->writeInFlight = true;
    asio::async_write(c->socket, asio::buffer(c->writing),
                      [c](const std::error_code& error, std::size_t) {
                          TcpNet* net = c->owner;
                          if (net == nullptr) return;
                          c->writeInFlight = false;
                          c->writing.clear();
                          if (error) return net->fail(c, NetError::Connection);
                          if (!c->pending.empty()) net->write(c);
                      });
}

void TcpNet::close(Link link) {
    detach(link);
}

void TcpNet::fail(const std::shared_ptr<Connection>& c, NetError error) {
    const Link link = c->link;
    detach(link);
    if (events_) events_->onError(link, error);
}

void TcpNet::disconnected(const std::shared_ptr<Connection>& c) {
    const Link link = c->link;
    detach(link);
    if (events_) events_->onDisconnected(link);
}

void TcpNet::detach(Link link) {
    const std::shared_ptr<Connection> c = std::move(links_[index(link)]);
    if (!c) return;
    c->owner = nullptr;
    c->connected = false;
    c->resolver.cancel();
    std::error_code ignored;
    c->socket.close(ignored);
}

}  // namespace veld::headless
