// The TCP Net port keeps the contract the client core relies on, against a peer in the test:
// how a connection ends decides between one error and one disconnect, never both; a name that
// does not resolve is its own error; what the core closes or replaces reports nothing.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "headless/event_loop.h"
#include "headless/tcp_net.h"

namespace veld::headless {
namespace {

using namespace std::chrono_literals;
constexpr auto kWait = 5s;

// Every event but the data as one line, in order; the data of each link.
struct Recorder : NetEvents {
    void onConnected(Link link) override { log.push_back(name(link) + " connected"); }
    void onData(Link link, std::string_view bytes) override { data[link] += bytes; }
    void onError(Link link, NetError error) override {
        log.push_back(name(link) +
                      (error == NetError::HostNotFound ? " host not found" : " error"));
    }
    void onDisconnected(Link link) override { log.push_back(name(link) + " disconnected"); }
    static std::string name(Link link) { return link == Link::Game ? "game" : "community"; }

    std::vector<std::string> log;
    std::map<Link, std::string> data;
};

struct TcpNetTest : ::testing::Test {
    TcpNetTest() { net.setEvents(&events); }

    std::uint16_t port() const { return acceptor.local_endpoint().port(); }
    // The next connection the peer side accepts.
    asio::ip::tcp::socket accept() {
        asio::ip::tcp::socket peer(loop.io());
        bool accepted = false;
        acceptor.async_accept(peer, [&](const std::error_code& ec) { accepted = !ec; });
        EXPECT_TRUE(loop.runUntil([&] { return accepted; }, kWait));
        return peer;
    }
    // What the peer reads until `count` bytes came or the stream ended (then `ended` is set).
    std::string peerReads(asio::ip::tcp::socket& peer, std::size_t count, bool* ended = nullptr) {
        std::string received;
        bool done = false;
        std::array<char, 65536> buffer;
        std::function<void()> read = [&] {
            peer.async_read_some(asio::buffer(buffer),
                                 [&](const std::error_code& ec, std::size_t n) {
                                     if (ec) {
                                         if (ended) *ended = true;
                                         done = true;
                                         return;
                                     }
                                     received.append(buffer.data(), n);
                                     if (received.size() >= count)
                                         done = true;
                                     else
                                         read();
                                 });
        };
        read();
        EXPECT_TRUE(loop.runUntil([&] { return done; }, kWait));
        return received;
    }

    EventLoop loop;
    asio::ip::tcp::acceptor acceptor{loop.io(), {asio::ip::address_v4::loopback(), 0}};
    Recorder events;
    TcpNet net{loop.io()};
};

TEST_F(TcpNetTest, BytesTravelBothWaysInOrder) {
    net.open(Link::Game, "127.0.0.1", port());
    asio::ip::tcp::socket peer = accept();
    ASSERT_TRUE(loop.runUntil([&] { return net.isConnected(Link::Game); }, kWait));
    EXPECT_FALSE(net.isConnected(Link::Community));

    asio::write(peer, asio::buffer(std::string("hello")));
    ASSERT_TRUE(loop.runUntil([&] { return events.data[Link::Game] == "hello"; }, kWait));
    // More than the socket takes at once: the rest is queued and follows in order.
    std::string big(4 << 20, 'x');
    for (std::size_t i = 0; i < big.size(); i += 4093) big[i] = static_cast<char>('a' + i % 26);
    net.send(Link::Game, big);
    net.send(Link::Game, "end");
    EXPECT_TRUE(peerReads(peer, big.size() + 3) == big + "end");
    EXPECT_EQ(events.log, std::vector<std::string>{"game connected"});
}

TEST_F(TcpNetTest, HowTheConnectionEndsDecidesTheEvent) {
    struct Case {
        const char* what;
        bool reset;
        std::string event;
    };
    const Case cases[] = {
        {"the peer closes", false, "community disconnected"},
        {"the peer resets", true, "community error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        events.log.clear();
        net.open(Link::Community, "127.0.0.1", port());
        asio::ip::tcp::socket peer = accept();
        ASSERT_TRUE(loop.runUntil([&] { return net.isConnected(Link::Community); }, kWait));
        if (c.reset) peer.set_option(asio::socket_base::linger(true, 0));
        peer.close();
        ASSERT_TRUE(loop.runUntil([&] { return events.log.size() == 2; }, kWait));
        EXPECT_EQ(events.log, (std::vector<std::string>{"community connected", c.event}));
        EXPECT_FALSE(net.isConnected(Link::Community));
    }
}

TEST_F(TcpNetTest, FailedConnectingIsOneErrorAndNoDisconnect) {
    struct Case {
        const char* what;
        std::string host;
        std::string event;
    };
    // Glibc refuses a name with blanks without asking the network.
    const Case cases[] = {
        {"nobody listens", "127.0.0.1", "game error"},
        {"the name does not resolve", "no such host", "game host not found"},
    };
    const std::uint16_t closedPort = port();
    acceptor.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        events.log.clear();
        net.open(Link::Game, c.host, closedPort);
        ASSERT_TRUE(loop.runUntil([&] { return !events.log.empty(); }, kWait));
        // Anything queued behind the first event has its chance to show up.
        loop.io().poll();
        EXPECT_EQ(events.log, std::vector<std::string>{c.event});
        EXPECT_FALSE(net.isConnected(Link::Game));
    }
}

TEST_F(TcpNetTest, WhatTheCoreClosesOrReplacesReportsNothing) {
    net.open(Link::Game, "127.0.0.1", port());
    asio::ip::tcp::socket first = accept();
    ASSERT_TRUE(loop.runUntil([&] { return net.isConnected(Link::Game); }, kWait));

    net.open(Link::Game, "127.0.0.1", port());
    EXPECT_FALSE(net.isConnected(Link::Game));
    asio::ip::tcp::socket second = accept();
    // The replaced connection's bytes and end are nobody's business now.
    asio::write(first, asio::buffer(std::string("stale")));
    first.close();
    ASSERT_TRUE(loop.runUntil([&] { return net.isConnected(Link::Game); }, kWait));
    asio::write(second, asio::buffer(std::string("fresh")));
    ASSERT_TRUE(loop.runUntil([&] { return events.data[Link::Game] == "fresh"; }, kWait));

    net.send(Link::Game, "bye");
    net.close(Link::Game);
    EXPECT_FALSE(net.isConnected(Link::Game));
    bool ended = false;
    EXPECT_EQ(peerReads(second, 4, &ended), "bye");
    EXPECT_TRUE(ended);
    EXPECT_EQ(events.log, (std::vector<std::string>{"game connected", "game connected"}));
}

}  // namespace
}  // namespace veld::headless
