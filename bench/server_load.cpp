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
//   bench_server_load [--clients N] [--window N] [--pings N] [--time-limit SECONDS]
//                     [--production-logins N]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <asio.hpp>
#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "client/server_list.h"
#include "headless/server_process.h"
#include "protocol/fields.h"
#include "protocol/frame.h"
#include "protocol/wire.h"

namespace {

using namespace veld;
using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::uint16_t kLanguage = 1028;
constexpr std::string_view kPassword = "loadtest";
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
        else
            return std::nullopt;
    }
    return o;
}

std::string loginMessage(std::string_view rawName) {
    return "UG" + wordToBytes(31702) + std::string(rawName) + padRight(kPassword, 10) +
           longToBytes(kLanguage) + wordToBytes(0);
}

// One TCP connection of a load client. Until `framing` is cleared its bytes are cut into
// frames; after that they are only counted.
struct Connection {
    explicit Connection(asio::io_context& io) : socket(io) {}
    tcp::socket socket;
    std::shared_ptr<ConnectionContext> frames = std::make_shared<ConnectionContext>();
    std::array<char, 4096> buffer{};
    bool framing = true;
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

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(at, v.size() - 1)];
}

struct ProcessUse {
    double cpuSeconds = 0;
    long peakRssKb = 0;
};

// User and system CPU time in a /proc stat file (fields 14 and 15, after the command name in
// parentheses).
double cpuSecondsOf(const std::filesystem::path& statFile) {
    std::ifstream stat(statFile);
    const std::string text((std::istreambuf_iterator<char>(stat)), {});
    const std::size_t name = text.rfind(')');
    if (name == std::string::npos) return 0;
    std::istringstream rest(text.substr(name + 1));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i >= 14) ticks += std::stod(field);
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The CPU time of the process's busiest thread: a server whose one io thread is at work all
// the time is limited by it, whatever the other core does.
double busiestThreadSeconds(pid_t pid) {
    double busiest = 0;
    std::error_code ec;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec))
        busiest = std::max(busiest, cpuSecondsOf(task.path() / "stat"));
    return busiest;
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " " + five;
}

ProcessUse childUse(pid_t pid) {
    ProcessUse use;
    use.cpuSeconds = cpuSecondsOf("/proc/" + std::to_string(pid) + "/stat");
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) use.peakRssKb = std::stol(line.substr(6));
    return use;
}

ProcessUse ownUse() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {seconds(r.ru_utime) + seconds(r.ru_stime), r.ru_maxrss};
}

std::vector<std::string> serverArguments(const std::string& data, std::size_t clients,
                                         bool production) {
    const std::string connections = std::to_string(2 * clients + 64);
    std::vector<std::string> args = {"--data",
                                     data,
                                     "--community-port",
                                     "0",
                                     "--game-ports",
                                     "0",
                                     "--max-players",
                                     std::to_string(std::min<std::size_t>(clients + 8, 65535)),
                                     "--max-connections",
                                     connections,
                                     "--max-connections-per-address",
                                     connections};
    if (!production) {
        args.push_back("--password-hash-cost");
        args.push_back("minimal");
    }
    return args;
}

bool startServer(headless::ServerProcess& server, const std::string& data, std::size_t clients,
                 bool production) {
    std::string error;
    if (server.start(VELD_SERVER_PROGRAM, serverArguments(data, clients, production), 1,
                     std::chrono::seconds(20), error))
        return true;
    std::fprintf(stderr, "bench_server_load: %s\n", error.c_str());
    return false;
}

// Runs the loop until the ramp is done or the deadline passes.
void runRamp(asio::io_context& io, Ramp& ramp, Clock::time_point deadline) {
    ramp.start();
    while (!ramp.done() && Clock::now() < deadline) {
        if (io.stopped()) io.restart();
        io.run_for(std::chrono::milliseconds(50));
    }
}

// The logins with the production password cost, on a server of their own.
void measureProductionCost(std::size_t logins) {
    if (logins == 0) return;
    headless::TemporaryFolder data;
    headless::ServerProcess server;
    if (!startServer(server, data.path().string(), logins, true)) return;
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

// The soft limit of open files raised to the hard one, before the server is started so that it
// inherits it. Each client holds two connections, and the server one per client connection.
rlim_t raiseFileLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    ::getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = parseOptions(argc, argv);
    if (!parsed) {
        std::fputs(
            "usage: bench_server_load [--clients N] [--window N] [--pings N] "
            "[--time-limit SECONDS] [--production-logins N]\n",
            stderr);
        return 2;
    }
    const Options& options = *parsed;
    std::signal(SIGPIPE, SIG_IGN);
    const rlim_t files = raiseFileLimit();
    std::printf("open files allowed per process: %llu (each client needs 2, on both sides)\n",
                static_cast<unsigned long long>(files));

    measureProductionCost(options.productionLogins);

    headless::TemporaryFolder data;
    headless::ServerProcess server;
    if (!startServer(server, data.path().string(), options.clients + 2, false)) return 1;

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
