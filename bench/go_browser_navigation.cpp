// Steps a game window through every node of the main line of every game of the professional
// collection, forward to the end and back to the start, twice: the first walk searches each
// move's captures, the second replays them from the nodes. Reports nodes per second for each
// walk, and beside them, as the peer, a bare board replaying the same moves with playStone.
//
// Argument 0: windows not shown (the model alone); 1: shown on a board view that draws nothing,
// with the last move numbered (the calls a shown window makes).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "go/board.h"
#include "go/go_browser.h"
#include "go/sgf_reader.h"
#include "pro_games.h"

namespace {

using namespace veld;
using Clock = std::chrono::steady_clock;

class NullBoardView : public BoardView {
  public:
    void setupBoard(int) override { ++calls; }
    void drawStone(int, int, int) override { ++calls; }
    void drawLabel(int, int, std::u16string_view, int) override { ++calls; }
    void drawLastMoveCross(int, int, int) override { ++calls; }
    std::uint64_t calls = 0;
};

// One node at a time to the end of the main line and back to the root; the steps taken.
std::size_t walk(GoBrowser& w) {
    std::size_t steps = 0;
    for (; w.current().firstChild; ++steps) w.step(+1);
    for (; w.current().parent; ++steps) w.step(-1);
    return steps;
}

std::size_t replayOnBareBoard(const GoBrowser& w, Tboard& board) {
    board.init(w.boardSize());
    board.setColours(w.root().blackSetup, kBlack);
    board.setColours(w.root().whiteSetup, kWhite);
    std::size_t captured = 0;
    for (const Node* n = w.root().firstChild.get(); n; n = n->firstChild.get())
        if (n->x != 0) captured += board.playStone(n->x, n->y, n->colour).size();
    return captured;
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_StepThroughCollection(benchmark::State& state) {
    const bool shown = state.range(0) != 0;
    const auto& files = bench::proGameFiles();
    DrawingSettings drawing{shown ? 1 : 0};
    NullBoardView view;
    std::size_t games = 0, steps = 0, searches = 0;
    double first = 0, again = 0, bare = 0;
    Tboard board;
    for (auto _ : state) {
        games = steps = searches = 0;
        first = again = bare = 0;
        for (const auto& file : files) {
            std::vector<std::unique_ptr<GoBrowser>> windows;
            forEachSgfGame(file.bytes, SgfReadOptions{}, [&](SgfReadResult& r, int) {
                if (!r.ok()) return true;
                auto w = std::make_unique<GoBrowser>(drawing);
                w->loadRecord(std::move(r));
                if (shown) {
                    w->views.board = &view;
                    w->isShown = true;
                }
                windows.push_back(std::move(w));
                return true;
            });
            const auto t0 = Clock::now();
            for (auto& w : windows) steps += walk(*w);
            const auto t1 = Clock::now();
            for (auto& w : windows) benchmark::DoNotOptimize(walk(*w));
            const auto t2 = Clock::now();
            std::size_t captured = 0;
            for (auto& w : windows) captured += replayOnBareBoard(*w, board);
            benchmark::DoNotOptimize(captured);
            const auto t3 = Clock::now();
            first += seconds(t1 - t0);
            again += seconds(t2 - t1);
            bare += seconds(t3 - t2);
            for (auto& w : windows) searches += static_cast<std::size_t>(w->captureSearches());
            games += windows.size();
        }
        state.SetIterationTime(first + again);
    }
    // A walk steps over each main-line node twice (forward, then back).
    const double nodes = static_cast<double>(steps) / 2;
    state.counters["games"] = static_cast<double>(games);
    state.counters["nodes"] = nodes;
    state.counters["searches"] = static_cast<double>(searches);
    state.counters["nodes/s"] = 4 * nodes / (first + again);
    state.counters["first walk nodes/s"] = 2 * nodes / first;
    state.counters["again nodes/s"] = 2 * nodes / again;
    state.counters["bare board moves/s"] = nodes / bare;
    // How many times slower a window's step is than a bare board's move.
    state.counters["first walk vs bare"] = (first / (2 * nodes)) / (bare / nodes);
}
BENCHMARK(BM_StepThroughCollection)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
