// Reads every game of the professional collection from memory, side by side in one run with the
// JavaScript reference parser @sabaki/sgf under node on the same files, and prints the ratio.
// Set VELD_BENCH_NO_PEER=1 to skip the peer (it needs about a minute).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>

#include "go/sgf_reader.h"
#include "pro_games.h"

namespace {

using namespace veld;

double bestSeconds = std::numeric_limits<double>::infinity();
std::size_t gamesRead = 0;

void BM_ReadCollection(benchmark::State& state) {
    const auto& files = bench::proGameFiles();
    if (files.empty()) {
        state.SkipWithError("no collection in " VELD_SHARED_DATA "/pro-games");
        return;
    }
    std::size_t games = 0, failed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        games = failed = 0;
        for (const auto& file : files) {
            forEachSgfGame(file.bytes, SgfReadOptions{}, [&](SgfReadResult& r, int) {
                ++games;
                failed += r.ok() ? 0 : 1;
                benchmark::DoNotOptimize(r.root.get());
                return true;
            });
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        bestSeconds = std::min(bestSeconds, took.count());
    }
    if (failed) state.SkipWithError("some games failed to read");
    gamesRead = games;
    const auto iterations = static_cast<double>(state.iterations());
    state.SetBytesProcessed(
        static_cast<std::int64_t>(bench::totalBytes(files) * state.iterations()));
    state.counters["games/s"] = benchmark::Counter(static_cast<double>(games) * iterations,
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadCollection)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Runs the peer on the same files and prints both figures and their ratio.
void comparePeer() {
    const char* skip = std::getenv("VELD_BENCH_NO_PEER");
    if ((skip && *skip && std::string(skip) != "0") || gamesRead == 0) return;
    std::string command = "node " VELD_TOOLS_JS "/parse_bench.js --passes 1";
    for (const auto& file : bench::proGameFiles()) command += " '" + file.path.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return;
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    if (pclose(pipe) != 0) {
        std::cout << "peer @sabaki/sgf did not run (node and tools/js/node_modules needed)\n";
        return;
    }
    const auto field = [&](const std::string& name) {
        const auto at = output.find("\"" + name + "\":");
        return at == std::string::npos ? 0.0 : std::atof(output.c_str() + at + name.size() + 3);
    };
    const double peerSeconds = field("seconds");
    const double megabytes = static_cast<double>(bench::totalBytes(bench::proGameFiles())) / 1e6;
    std::printf("\nSide by side, %zu games, %.1f MB:\n", gamesRead, megabytes);
    std::printf("  veld           %8.3f s  %9.0f games/s  %7.1f MB/s\n", bestSeconds,
                static_cast<double>(gamesRead) / bestSeconds, megabytes / bestSeconds);
    std::printf("  @sabaki/sgf    %8.3f s  %9.0f games/s  %7.1f MB/s  (%.0f games)\n",
                peerSeconds, field("games") / peerSeconds, megabytes / peerSeconds,
                field("games"));
    std::printf("  ratio          veld is %.1f times as fast\n", peerSeconds / bestSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    comparePeer();
    return 0;
}
