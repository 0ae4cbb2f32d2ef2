// The cost of the lobby on one game server: players join one after another (a bounded number of
// logins under way), and each join is answered with the whole player list and the game list and
// announced to every player already there, so that the bytes of the n-th join grow with n.
// Reports joins per second (a join counts once its game list arrived) and the bytes the server
// wrote per join on the game links, by message.
#pragma once

#include <asio.hpp>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "headless/server_process.h"
#include "load_ramp.h"
#include "process_use.h"

namespace veld::bench {

struct FrameTally {
    std::uint64_t frames = 0;
    std::uint64_t bytes = 0;
};

// Runs `program` with `clients` joining; 0 when every client joined and every announcement
// arrived in time.
inline int runLobbyFanout(const std::string& program, std::size_t clients, std::size_t window,
                          std::chrono::seconds timeLimit) {
    headless::TemporaryFolder data;
    headless::ServerProcess server;
    if (clients < 2 || !startServer(server, program, data.path().string(), clients, false))
        return 1;
    asio::io_context io;
    Ramp ramp(io, server.communityPort(), "lf", clients, window);
    // Frames after each client's "OK", by code; the "OK" replies themselves are in the totals.
    std::map<std::string, FrameTally> byCode;
    std::vector<Clock::time_point> listed;
    const LoadClient* lastListed = nullptr;
    ramp.keepFraming([&](LoadClient& c, std::string_view frame) {
        const std::string code(frame.substr(2, 2));
        FrameTally& t = byCode[code];
        ++t.frames;
        t.bytes += frame.size();
        if (code != "G2") return;
        listed.push_back(Clock::now());
        lastListed = &c;
    });

    const ProcessUse before = childUse(server.pid());
    const double busiestBefore = busiestThreadSeconds(server.pid());
    const auto deadline = Clock::now() + timeLimit;
    runRamp(io, ramp, deadline);
    // The last announcements are still on their way when the last join is answered.
    const std::uint64_t n = ramp.joined();
    const std::uint64_t announcements = n * (n - 1) / 2;
    while ((byCode["W1"].frames < announcements || listed.size() < n) && Clock::now() < deadline)
        io.run_for(std::chrono::milliseconds(50));
    const ProcessUse after = childUse(server.pid());
    const double busiestAfter = busiestThreadSeconds(server.pid());
    const ProcessUse bench = ownUse();

    std::uint64_t total = 0;
    for (std::size_t i = 0; i < ramp.size(); ++i) total += ramp.client(i).game.bytesRead;
    const double seconds = listed.empty() ? 0 : Seconds(listed.back() - ramp.started()).count();
    const double joins = static_cast<double>(n);
    std::printf(
        "lobby fan-out: %llu of %zu clients joined one game server in %.1f s: %.0f joins/s\n",
        static_cast<unsigned long long>(n), clients, seconds, seconds > 0 ? joins / seconds : 0);
    const std::size_t block = 500;
    for (std::size_t end = block; end <= listed.size(); end += block) {
        const auto from = end == block ? ramp.started() : listed[end - block - 1];
        std::printf("  joins %5zu-%5zu: %6.0f joins/s\n", end - block + 1, end,
                    static_cast<double>(block) / Seconds(listed[end - 1] - from).count());
    }
    std::printf("bytes the server wrote on the game links: %.1f MB, %.0f bytes per join\n",
                static_cast<double>(total) / 1e6, n ? static_cast<double>(total) / joins : 0);
    std::uint64_t tallied = 0;
    for (const auto& [code, t] : byCode) {
        tallied += t.bytes;
        std::printf("  %s  %9llu frames  %11llu bytes  %8.0f bytes per join\n", code.c_str(),
                    static_cast<unsigned long long>(t.frames),
                    static_cast<unsigned long long>(t.bytes), static_cast<double>(t.bytes) / joins);
    }
    std::printf("  OK  %9llu frames  %11llu bytes  %8.0f bytes per join\n",
                static_cast<unsigned long long>(n),
                static_cast<unsigned long long>(total - tallied),
                static_cast<double>(total - tallied) / joins);
    // The last join costs the most: its list names everybody, its "W1" goes to everybody.
    constexpr std::uint64_t kArrivalFrameBytes = 38;
    const std::uint64_t lastList = lastListed ? lastListed->game.bytesRead : 0;
    const std::uint64_t lastFanout = (n - 1) * kArrivalFrameBytes;
    std::printf("  join no. %llu alone: %llu bytes to the joiner + %llu bytes of \"W1\" = %llu\n",
                static_cast<unsigned long long>(n), static_cast<unsigned long long>(lastList),
                static_cast<unsigned long long>(lastFanout),
                static_cast<unsigned long long>(lastList + lastFanout));
    // Both processes share the machine: the clients' side reads every byte the server writes.
    std::printf(
        "CPU during the joins: server %.1f s (its busiest thread %.1f s), peak RSS %.0f MB; "
        "clients %.1f s; %u cores\n",
        after.cpuSeconds - before.cpuSeconds, busiestAfter - busiestBefore,
        static_cast<double>(after.peakRssKb) / 1024, bench.cpuSeconds,
        std::thread::hardware_concurrency());
    const bool complete = n == clients && byCode["W1"].frames == announcements &&
                          listed.size() == n && ramp.lost() == 0;
    if (!ramp.failure().empty()) std::printf("stopped by: %s\n", ramp.failure().c_str());
    if (!complete) std::printf("incomplete: some joins or announcements did not arrive\n");

    ramp.closeAll();
    server.stop(SIGTERM, std::chrono::seconds(30));
    return complete ? 0 : 1;
}

}  // namespace veld::bench
