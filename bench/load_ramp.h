// Lightweight load clients for the server benchmarks: raw asio connections, the frames built
// with the protocol helpers. A Ramp logs clients in to the community server and joins them to
// the game server it lists, a bounded number at a time, on one io_context.
#pragma once

#include <array>
#include <asio.hpp>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "client/server_list.h"
#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace veld::bench {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

inline constexpr std::uint16_t kLanguage = 1028;
inline constexpr std::string_view kPassword = "loadtest";

inline std::string loginMessage(std::string_view rawName) {
    return "UG" + wordToBytes(31702) + std::string(rawName) + padRight(kPassword, 10) +
           longToBytes(kLanguage) + wordToBytes(0);
}

// One TCP connection of a load client. Until `framing` is cleared its bytes are cut into
// frames; after that they are only counted. `bytesRead` counts every byte received.
struct Connection {
    explicit Connection(asio::io_context& io) : socket(io) {}
    tcp::socket socket;
    std::shared_ptr<ConnectionContext> frames = std::make_shared<ConnectionContext>();
    std::array<char, 4096> buffer{};
    bool framing = true;
    std::uint64_t bytesRead = 0;
};

enum class Stage { Waiting, LoggingIn, Joining, Joined, Failed };

struct LoadClient {
    LoadClient(asio::io_context& io, std::string name)
        : rawName(std::move(name)), community(io), game(io) {}
    std::string rawName;
    std::string accountClass;
    Connection community;
    Connection game;
    Stage stage = Stage::Waiting;
    std::uint16_t uid = 0;
};

// Logs clients in and joins them, at most `window` at a time, on one io_context. Names are
// `prefix` + a number.
class Ramp {
  public:
    using FrameHook = std::function<void(LoadClient&, std::string_view frame)>;

    Ramp(asio::io_context& io, std::uint16_t communityPort, std::string prefix, std::size_t count,
         std::size_t window)
        : communityPort_(communityPort), window_(window) {
        for (std::size_t i = 0; i < count; ++i)
            clients_.push_back(
                std::make_unique<LoadClient>(io, padRight(prefix + std::to_string(i), 10)));
    }

    // Joined clients keep cutting game frames and hand them here.
    void keepFraming(FrameHook hook) { joinedFrames_ = std::move(hook); }

    void start() {
        started_ = Clock::now();
        while (inFlight_ < window_ && next_ < clients_.size()) launch();
    }

    bool done() const { return joined_ == clients_.size() || !failure_.empty(); }
    std::size_t joined() const { return joined_; }
    std::size_t lost() const { return lost_; }
    const std::string& failure() const { return failure_; }
    Clock::time_point started() const { return started_; }
    const std::vector<Clock::time_point>& joinTimes() const { return joinTimes_; }
    LoadClient& client(std::size_t i) { return *clients_[i]; }
    std::size_t size() const { return clients_.size(); }

    void closeAll() {
        for (auto& c : clients_) {
            std::error_code ignored;
            c->community.socket.close(ignored);
            c->game.socket.close(ignored);
        }
    }

  private:
    void launch() {
        LoadClient& c = *clients_[next_++];
        ++inFlight_;
        c.stage = Stage::LoggingIn;
        c.community.socket.async_connect(
            tcp::endpoint(asio::ip::address_v4::loopback(), communityPort_),
            [this, &c](const std::error_code& ec) {
                if (ec) return fail(c, "connect to the community server: " + ec.message());
                noDelay(c.community);
                send(c.community, loginMessage(c.rawName));
                read(c, c.community, false);
            });
    }

    // Small messages go out at once, as the server sends its own.
    static void noDelay(Connection& connection) {
        std::error_code ignored;
        connection.socket.set_option(tcp::no_delay(true), ignored);
    }

    void send(Connection& connection, std::string_view message) {
        auto bytes = std::make_shared<std::string>(packFrame(message));
        asio::async_write(connection.socket, asio::buffer(*bytes),
                          [bytes](const std::error_code&, std::size_t) {});
    }

    void read(LoadClient& c, Connection& connection, bool game) {
        connection.socket.async_read_some(
            asio::buffer(connection.buffer),
            [this, &c, &connection, game](const std::error_code& ec, std::size_t n) {
                if (ec) return closed(c, game, ec);
                connection.bytesRead += n;
                if (connection.framing)
                    FrameReader::socketRead(connection.frames,
                                            std::string_view(connection.buffer.data(), n),
                                            [&](std::string_view frame) {
                                                if (game)
                                                    onGameFrame(c, frame);
                                                else
                                                    onCommunityFrame(c, frame);
                                            });
                read(c, connection, game);
            });
    }

    void onCommunityFrame(LoadClient& c, std::string_view frame) {
        const std::string_view code = frame.substr(2, 2);
        if (code == "PX") {
            if (frame.size() < 6 || frame[4] != '0')
                return fail(c, "login refused: PX " + std::string(frame.substr(4, 1)));
            c.accountClass = std::string(frame.substr(5, 1));
        } else if (code == "CM" && c.stage == Stage::LoggingIn) {
            const ServerList servers = parseServerList(frame);
            if (servers.empty()) return fail(c, "empty game-server list");
            c.community.framing = false;
            c.stage = Stage::Joining;
            const tcp::endpoint endpoint(asio::ip::make_address(servers[0]->address),
                                         servers[0]->port);
            c.game.socket.async_connect(endpoint, [this, &c](const std::error_code& ec) {
                if (ec) return fail(c, "connect to the game server: " + ec.message());
                noDelay(c.game);
                send(c.game, "UG" + c.rawName + wordToBytes(kLanguage) + c.accountClass);
                read(c, c.game, true);
            });
        }
    }

    void onGameFrame(LoadClient& c, std::string_view frame) {
        if (c.stage == Stage::Joined) {
            if (joinedFrames_) joinedFrames_(c, frame);
            return;
        }
        if (frame.substr(2, 2) != "OK") return;
        if (frame.size() < 7 || frame[4] != '0')
            return fail(c, "join refused: OK " + std::string(frame.substr(4, 1)));
        c.uid = bytesToWord(frame.substr(5, 2));
        c.stage = Stage::Joined;
        c.game.framing = static_cast<bool>(joinedFrames_);
        ++joined_;
        joinTimes_.push_back(Clock::now());
        --inFlight_;
        if (failure_.empty() && next_ < clients_.size()) launch();
    }

    void closed(LoadClient& c, bool game, const std::error_code& ec) {
        if (ec == asio::error::operation_aborted) return;
        if (c.stage == Stage::Joined) {
            if (game) ++lost_;
            return;
        }
        if (c.stage != Stage::Failed)
            fail(c, std::string(game ? "game" : "community") +
                        " link closed while joining: " + ec.message());
    }

    void fail(LoadClient& c, std::string why) {
        if (c.stage == Stage::Failed) return;
        c.stage = Stage::Failed;
        --inFlight_;
        // The first failure stops the ramp: it is the limit this run found.
        if (failure_.empty()) failure_ = std::move(why);
    }

    std::uint16_t communityPort_;
    std::size_t window_;
    std::vector<std::unique_ptr<LoadClient>> clients_;
    FrameHook joinedFrames_;
    std::size_t next_ = 0;
    std::size_t inFlight_ = 0;
    std::size_t joined_ = 0;
    std::size_t lost_ = 0;
    std::string failure_;
    Clock::time_point started_;
    std::vector<Clock::time_point> joinTimes_;
};

// Runs the loop until the ramp is done or the deadline passes.
inline void runRamp(asio::io_context& io, Ramp& ramp, Clock::time_point deadline) {
    ramp.start();
    while (!ramp.done() && Clock::now() < deadline) {
        if (io.stopped()) io.restart();
        io.run_for(std::chrono::milliseconds(50));
    }
}

}  // namespace veld::bench
