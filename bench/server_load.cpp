// Load on one game server. The veld-server program of this build runs as a child process on
// 127.0.0.1; lightweight clients (raw asio, the frames built with the protocol helpers) log in to
// the community server, join the game server and stay, as many as asked (5,000 by default) with
// a bounded number of logins under way. Two further clients, on a thread of their own, send
// "PP" to each other and time the round trip, while the others join and once all of them are
// connected. Reports joins per second, the round trips (p50/p99), the clients reached and what
// stopped the ramp, with the CPU time and peak memory of both processes.
//
// The server hashes passwords with --password-hash-cost minimal: with the production cost one
// hashing thread takes about 0.1 s per new account. A short first phase measures that cost on a
// server of its own, with a few logins.
//
// With --lobby-fanout N it measures the lobby instead (lobby_fanout.h): N clients join, and it
// reports the joins per second and the bytes each join costs.
//
//   bench_server_load [--clients N] [--window N] [--pings N] [--time-limit SECONDS]
//                     [--production-logins N]
//   bench_server_load --lobby-fanout N [--window N] [--time-limit SECONDS]
#include <algorithm>
#include <asio.hpp>
#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "headless/server_process.h"
#include "load_ramp.h"
#include "lobby_fanout.h"
#include "process_use.h"

namespace {

using namespace veld;
using namespace veld::bench;
// A peer sub-code no client gives a meaning to.
constexpr std::string_view kPingCode = "ZB";
// The server allows 50 frames per second per connection; a ping each 25 ms stays below.
constexpr auto kPingInterval = std::chrono::milliseconds(25);

struct Options {
    std::size_t clients = 5000;
    std::size_t window = 64;
    std::size_t pings = 400;
    std::chrono::seconds timeLimit{240};
    std::size_t productionLogins = 12;
    // Clients of the lobby fan-out measurement; 0: the load measurement runs.
    std::size_t lobbyFanout = 0;
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const std::string_view text = argv[++i];
        std::size_t value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
        if (option == "--clients")
            o.clients = value;
        else if (option == "--window" && value > 0)
            o.window = value;
        else if (option == "--pings")
            o.pings = value;
        else if (option == "--time-limit")
            o.timeLimit = std::chrono::seconds(value);
        else if (option == "--production-logins")
            o.productionLogins = value;
        else if (option == "--lobby-fanout" && value >= 2)
            o.lobbyFanout = value;
        else
            return std::nullopt;
    }
    return o;
}

// Two joined clients: `a` sends "PP" to `b` every kPingInterval (one at a time), `b` sends it
// straight back, `a` records the round trip under the phase in which the ping was sent.
class Pinger {
  public:
    Pinger(asio::io_context& io, LoadClient& a, LoadClient& b, const std::atomic<int>& phase)
        : timer_(io), a_(a), b_(b), phase_(phase) {}

    void frame(LoadClient& to, std::string_view frame) {
        if (frame.substr(2, 2) != "PP" || frame.substr(8, 2) != kPingCode) return;
        const std::string_view sequence = frame.substr(10);
        if (&to == &b_) return send(b_, ping(a_.uid, b_.uid, sequence));
        if (!outstanding_ || bytesToLong(sequence) != sequence_) return;
        outstanding_ = false;
        const double ms = Seconds(Clock::now() - sentAt_).count() * 1000;
        samples_[sentPhase_].push_back(ms);
        counts_[sentPhase_].fetch_add(1);
    }

    void start() { tick(); }
    void stop() { timer_.cancel(); }
    std::size_t count(int phase) const { return counts_[phase].load(); }
    // Read once the pinger's thread has ended.
    const std::vector<double>& samples(int phase) const { return samples_[phase]; }
    std::size_t unanswered() const { return unanswered_; }

  private:
    static std::string ping(std::uint16_t to, std::uint16_t from, std::string_view sequence) {
        return "PP" + wordToBytes(to) + wordToBytes(from) + std::string(kPingCode) +
               std::string(sequence);
    }
    void send(LoadClient& from, std::string_view message) {
        auto bytes = std::make_shared<std::string>(packFrame(message));
        asio::async_write(from.game.socket, asio::buffer(*bytes),
                          [bytes](const std::error_code&, std::size_t) {});
    }
    // One ping at a time, so that a slow answer is measured rather than overtaken.
    void tick() {
        const bool waiting = outstanding_ && Clock::now() - sentAt_ < kGiveUp;
        if (!waiting) {
            if (outstanding_) ++unanswered_;
            ++sequence_;
            outstanding_ = true;
            sentAt_ = Clock::now();
            sentPhase_ = phase_.load();
            send(a_, ping(b_.uid, a_.uid, longToBytes(sequence_)));
        }
        timer_.expires_after(kPingInterval);
        timer_.async_wait([this](const std::error_code& ec) {
            if (!ec) tick();
        });
    }

    // A relayed message is never dropped; this only keeps a lost one from stalling the pings.
    static constexpr auto kGiveUp = std::chrono::seconds(60);

    asio::steady_timer timer_;
    LoadClient& a_;
    LoadClient& b_;
    const std::atomic<int>& phase_;
    std::uint32_t sequence_ = 0;
    bool outstanding_ = false;
    Clock::time_point sentAt_;
    // A ping counts for the phase in which it was sent.
    int sentPhase_ = 0;
    std::size_t unanswered_ = 0;
    std::vector<double> samples_[2];
    std::atomic<std::size_t> counts_[2] = {0, 0};
};

// The logins with the production password cost, on a server of their own.
void measureProductionCost(std::size_t logins) {
    if (logins == 0) return;
    headless::TemporaryFolder data;
    headless::ServerProcess server;
    if (!startServer(server, VELD_SERVER_PROGRAM, data.path().string(), logins, true)) return;
    asio::io_context io;
    Ramp ramp(io, server.communityPort(), "pc", logins, 4);
    runRamp(io, ramp, Clock::now() + std::chrono::seconds(60));
    const double seconds =
        ramp.joinTimes().empty() ? 0 : Seconds(ramp.joinTimes().back() - ramp.started()).count();
    std::printf("production password cost: %zu new accounts joined in %.2f s (%.1f joins/s)%s\n",
                ramp.joined(), seconds,
                seconds > 0 ? static_cast<double>(ramp.joined()) / seconds : 0,
                ramp.failure().empty() ? "" : (" - " + ramp.failure()).c_str());
    ramp.closeAll();
    server.stop(SIGTERM, std::chrono::seconds(20));
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = parseOptions(argc, argv);
    if (!parsed) {
        std::fputs(
            "usage: bench_server_load [--clients N] [--window N] [--pings N] "
            "[--time-limit SECONDS] [--production-logins N]\n"
            "       bench_server_load --lobby-fanout N [--window N] [--time-limit SECONDS]\n",
            stderr);
        return 2;
    }
    const Options& options = *parsed;
    std::signal(SIGPIPE, SIG_IGN);
    const rlim_t files = raiseFileLimit();
    std::printf("open files allowed per process: %llu (each client needs 2, on both sides)\n",
                static_cast<unsigned long long>(files));
    if (options.lobbyFanout > 0)
        return runLobbyFanout(VELD_SERVER_PROGRAM, options.lobbyFanout, options.window,
                              options.timeLimit);

    measureProductionCost(options.productionLogins);

    headless::TemporaryFolder data;
    headless::ServerProcess server;
    if (!startServer(server, VELD_SERVER_PROGRAM, data.path().string(), options.clients + 2, false))
        return 1;

    // The pair that pings, joined first, on its own thread.
    asio::io_context pingIo;
    Ramp pair(pingIo, server.communityPort(), "pp", 2, 2);
    std::atomic<int> phase{0};
    Pinger* pinger = nullptr;
    pair.keepFraming([&](LoadClient& c, std::string_view frame) {
        if (pinger) pinger->frame(c, frame);
    });
    runRamp(pingIo, pair, Clock::now() + std::chrono::seconds(20));
    if (pair.joined() != 2) {
        std::fprintf(stderr, "bench_server_load: the ping pair did not join: %s\n",
                     pair.failure().c_str());
        return 1;
    }
    Pinger ping(pingIo, pair.client(0), pair.client(1), phase);
    pinger = &ping;
    ping.start();
    std::thread pingThread([&] { pingIo.run(); });

    asio::io_context io;
    Ramp ramp(io, server.communityPort(), "ld", options.clients, options.window);
    const ProcessUse serverBefore = childUse(server.pid());
    const double busiestBefore = busiestThreadSeconds(server.pid());
    const std::string loadBefore = loadAverage();
    runRamp(io, ramp, Clock::now() + options.timeLimit);
    const ProcessUse serverAfterRamp = childUse(server.pid());
    const double busiestAfter = busiestThreadSeconds(server.pid());
    const ProcessUse benchAfterRamp = ownUse();
    const std::string loadAfter = loadAverage();

    // With everybody connected: the steady round trips.
    phase = 1;
    const auto pingDeadline = Clock::now() + kPingInterval * (options.pings * 2 + 40);
    while (ping.count(1) < options.pings && Clock::now() < pingDeadline)
        io.run_for(std::chrono::milliseconds(50));
    asio::post(pingIo, [&] { ping.stop(); });
    pingIo.stop();
    pingThread.join();

    const auto& times = ramp.joinTimes();
    const double rampSeconds = times.empty() ? 0 : Seconds(times.back() - ramp.started()).count();
    std::printf("\nclients joined on one game server: %zu of %zu in %.1f s: %.0f joins/s\n",
                ramp.joined(), options.clients, rampSeconds,
                rampSeconds > 0 ? static_cast<double>(ramp.joined()) / rampSeconds : 0);
    const std::size_t block = 1000;
    for (std::size_t end = block; end <= times.size(); end += block) {
        const auto from = end == block ? ramp.started() : times[end - block - 1];
        std::printf("  joins %5zu-%5zu: %6.0f joins/s\n", end - block + 1, end,
                    static_cast<double>(block) / Seconds(times[end - 1] - from).count());
    }
    if (ramp.lost() > 0)
        std::printf("  joined clients the server disconnected: %zu\n", ramp.lost());
    const char* phaseName[2] = {"while the others joined", "with all connected"};
    std::printf("\"PP\" round trip between two joined clients (ms):\n");
    for (int p = 0; p < 2; ++p) {
        const std::vector<double>& s = ping.samples(p);
        std::printf("  %-24s n=%5zu  p50=%.3f  p99=%.3f  max=%.3f\n", phaseName[p], s.size(),
                    percentile(s, 0.5), percentile(s, 0.99), percentile(s, 1.0));
    }
    if (ping.unanswered() > 0) std::printf("  pings unanswered in 60 s: %zu\n", ping.unanswered());
    std::printf(
        "during the ramp: server %.1f s CPU (its busiest thread %.1f s), peak RSS %.0f MB; bench "
        "%.1f s CPU, peak RSS %.0f MB; %u cores, load average %s before, %s after\n",
        serverAfterRamp.cpuSeconds - serverBefore.cpuSeconds, busiestAfter - busiestBefore,
        static_cast<double>(serverAfterRamp.peakRssKb) / 1024, benchAfterRamp.cpuSeconds,
        static_cast<double>(benchAfterRamp.peakRssKb) / 1024, std::thread::hardware_concurrency(),
        loadBefore.c_str(), loadAfter.c_str());
    if (!ramp.failure().empty())
        std::printf("ramp stopped by: %s\n", ramp.failure().c_str());
    else if (ramp.joined() < options.clients)
        std::printf("ramp stopped by: the time limit of %lld s\n",
                    static_cast<long long>(options.timeLimit.count()));
    else
        std::printf("ramp stopped by: nothing, every client joined\n");

    ramp.closeAll();
    pair.closeAll();
    const std::optional<int> status = server.stop(SIGTERM, std::chrono::seconds(30));
    std::printf("server stopped with status %d\n", status.value_or(-1));
    return 0;
}
