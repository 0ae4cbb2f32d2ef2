// The real veld-server program on 127.0.0.1 (a child process with ephemeral ports and a
// temporary data folder) and headless players: the real client core over TCP, with its boxes and
// its login dialog answered by script. Everything runs on the test's thread; waits are bounded.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "client/client.h"
#include "fakes/fake_ports.h"
#include "headless/client_events.h"
#include "headless/event_loop.h"
#include "headless/server_process.h"
#include "headless/tcp_net.h"

namespace veld::e2e {

using namespace std::chrono_literals;

// How long a test waits for something the servers should do at once. Generous: a login hashes
// its password with the production cost, and the sanitizers slow everything down.
inline constexpr std::chrono::milliseconds kWait = 10s;

// The name of the one game server, as its list entry shows it.
inline constexpr std::u16string_view kServerName = u"甲";

const std::u16string& row(int k);

// One player: the client core on a TcpNet, with fake boxes, shell and settings. The settings
// point the login at the test's community server.
class Player {
  public:
    Player(headless::EventLoop& loop, std::uint16_t communityPort);

    // Scripts the login dialog's answer (in order, after the earlier ones) and starts the
    // login as the desktop does on its first activation.
    void logIn(std::u16string name, std::u16string password);
    void answerLogin(std::u16string name, std::u16string password);

    bool loggedIn() const { return !shell.serverItems.empty(); }
    bool onLine() { return client.gameServers().onLine(); }
    bool ended() const { return shell.terminations > 0; }
    std::vector<std::u16string> warnings() const;

    // The frames of this code received on the link so far, whole (length prefix included).
    std::vector<std::string> framesWith(Link link, std::string_view code) const;
    // The uids and names in the player list the game server sent at the join ("W2"... "W3").
    std::vector<std::pair<std::uint16_t, std::string>> playerList() const;
    // Whether a "W1" announced this uid and name.
    bool sawArrival(std::uint16_t uid, std::string_view name) const;
    // Whether a "WX" announced that this uid left.
    bool sawLeaving(std::uint16_t uid) const;

    headless::TcpNet net;
    testing::FakeDialogs dialogs;
    testing::FakeShell shell;
    testing::FakeSettingsStore settings;
    Client client{net, dialogs, shell, settings};

  private:
    std::vector<std::pair<Link, std::string>> frames_;
    headless::ClientEvents events_{net, client};
};

class EndToEnd : public ::testing::Test {
  protected:
    // Starts veld-server on the data folder (the same one after a stop); the ports change.
    void startServer();
    // Sends the signal and waits for the end; the exit status as ServerProcess::stop gives it.
    std::optional<int> stopServer(int signal) { return server_.stop(signal, kWait); }
    bool serverRunning() const { return server_.running(); }
    std::uint16_t communityPort() const { return server_.communityPort(); }

    bool waitFor(const std::function<bool()>& done) { return loop_.runUntil(done, kWait); }
    // Logs the player in and joins the game server.
    void joinAs(Player& player, std::u16string name, std::u16string password);

    headless::EventLoop loop_;

  private:
    headless::TemporaryFolder data_;
    headless::ServerProcess server_;
};

}  // namespace veld::e2e
