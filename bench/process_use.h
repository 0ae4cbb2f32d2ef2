// What a server benchmark reads about the processes (CPU time, peak memory, the load of the
// machine) and how it starts the veld-server program of its build.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "headless/server_process.h"

namespace veld::bench {

inline double percentile(std::vector<double> v, double p) {
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
inline double cpuSecondsOf(const std::filesystem::path& statFile) {
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
inline double busiestThreadSeconds(pid_t pid) {
    double busiest = 0;
    std::error_code ec;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec))
        busiest = std::max(busiest, cpuSecondsOf(task.path() / "stat"));
    return busiest;
}

inline std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " " + five;
}

inline ProcessUse childUse(pid_t pid) {
    ProcessUse use;
    use.cpuSeconds = cpuSecondsOf("/proc/" + std::to_string(pid) + "/stat");
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) use.peakRssKb = std::stol(line.substr(6));
    return use;
}

inline ProcessUse ownUse() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {seconds(r.ru_utime) + seconds(r.ru_stime), r.ru_maxrss};
}

inline std::vector<std::string> serverArguments(const std::string& data, std::size_t clients,
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

// Starts `program` for `clients` load clients; false, with the reason printed, when it fails.
inline bool startServer(headless::ServerProcess& server, const std::string& program,
                        const std::string& data, std::size_t clients, bool production) {
    std::string error;
    if (server.start(program, serverArguments(data, clients, production), 1,
                     std::chrono::seconds(20), error))
        return true;
    std::fprintf(stderr, "bench: %s\n", error.c_str());
    return false;
}

// The soft limit of open files raised to the hard one, before the server is started so that it
// inherits it. Each client holds two connections, and the server one per client connection.
inline rlim_t raiseFileLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    ::getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur;
}

}  // namespace veld::bench
