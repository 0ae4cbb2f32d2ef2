// A real veld-server in the test process on 127.0.0.1 with ephemeral ports and a temporary
// data folder, and a small blocking client that talks to it over TCP.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/frame.h"
#include "server/app/server_app.h"

namespace veld::server::testing {

using namespace std::chrono_literals;
// How long a test waits for something that should happen at once.
inline constexpr std::chrono::milliseconds kWait = 5s;

class TestServer {
  public:
    // A community server and `gameServers` game servers; `adjust` may change the config.
    explicit TestServer(int gameServers = 1,
                        const std::function<void(ServerConfig&)>& adjust = nullptr);
    ~TestServer();

    // Stops and starts again on the same data folder (the ports change).
    void restart();
    void stop() { app_.reset(); }

    std::uint16_t communityPort() const { return app_->communityPort(); }
    std::uint16_t gamePort(std::size_t i = 0) const { return app_->gamePorts().at(i); }
    Storage& storage() { return app_->storage(); }
    ServerConfig& config() { return config_; }

  private:
    void start();
    ServerConfig config_;
    std::unique_ptr<ServerApp> app_;
};

class TestClient {
  public:
    // Connects to 127.0.0.1:port from `source` (another loopback address stands for another
    // machine). `receiveBuffer` > 0 sets a small SO_RCVBUF.
    explicit TestClient(std::uint16_t port, const std::string& source = "127.0.0.1",
                        int receiveBuffer = 0);
    ~TestClient();
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    // Frames the message and sends it.
    void send(std::string_view message);
    void sendBytes(std::string_view bytes);
    void close();

    // The next frame (length prefix included); nullopt when none comes in time or the server
    // closed the connection.
    std::optional<std::string> next(std::chrono::milliseconds timeout = kWait);
    // The next frame with this code, skipping the others.
    std::optional<std::string> nextWith(std::string_view code,
                                        std::chrono::milliseconds timeout = kWait);
    // True when the server closes the connection in time; frames before are skipped.
    bool waitClosed(std::chrono::milliseconds timeout = kWait);

  private:
    bool receive(std::chrono::milliseconds timeout);
    int fd_ = -1;
    bool peerClosed_ = false;
    std::shared_ptr<ConnectionContext> context_ = std::make_shared<ConnectionContext>();
    std::deque<std::string> frames_;
};

// Messages as the client builds them.
std::string loginMessage(std::string_view name, std::string_view password,
                         std::uint16_t version = 31702);
std::string joinMessage(std::string_view name);
// The message code of a frame.
std::string codeOf(const std::optional<std::string>& frame);

// A player on line: logged in on the community server and joined to a game server.
struct Player {
    std::unique_ptr<TestClient> community;
    std::unique_ptr<TestClient> game;
    std::uint16_t uid = 0;
    // Every frame the join brought, "OK" first.
    std::vector<std::string> joinFrames;
};
// Logs in (registering the name) and joins game server `index`; fails the test when refused.
Player enter(TestServer& server, const std::string& name, std::size_t index = 0);
// Logs in; returns the "PX" frame (nullopt when none came).
std::optional<std::string> login(TestClient& client, std::string_view name,
                                 std::string_view password);

}  // namespace veld::server::testing
