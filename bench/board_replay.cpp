// Replays every main-line move of every game of the professional collection on a board, with
// legality, captures and ko (the path a user's move takes), and reports moves per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "go/board.h"
#include "go/sgf_reader.h"
#include "pro_games.h"

namespace {

using namespace veld;

struct Game {
    int size = 19;
    std::vector<Tgp> black, white;           // setup stones of the root
    std::vector<std::int8_t> moves;          // colour, x, y for each move, passes left out
};

const std::vector<Game>& games() {
    static const std::vector<Game> all = [] {
        std::vector<Game> out;
        for (const auto& file : bench::proGameFiles()) {
            forEachSgfGame(file.bytes, SgfReadOptions{}, [&](SgfReadResult& r, int) {
                if (!r.ok()) return true;
                Game g;
                g.size = r.boardSize;
                g.black = r.root->blackSetup;
                g.white = r.root->whiteSetup;
                for (const Node* n = r.root.get(); n; n = n->firstChild.get()) {
                    if (n->colour == 0 || n->x == 0) continue;
                    g.moves.insert(g.moves.end(), {static_cast<std::int8_t>(n->colour),
                                                   static_cast<std::int8_t>(n->x),
                                                   static_cast<std::int8_t>(n->y)});
                }
                out.push_back(std::move(g));
                return true;
            });
        }
        return out;
    }();
    return all;
}

void BM_ReplayMainLines(benchmark::State& state) {
    const auto& all = games();
    std::size_t moves = 0, refused = 0, captured = 0;
    Tboard board;
    for (auto _ : state) {
        moves = refused = captured = 0;
        for (const Game& g : all) {
            board.init(g.size);
            board.setColours(g.black, +1);
            board.setColours(g.white, -1);
            for (std::size_t i = 0; i < g.moves.size(); i += 3) {
                const MoveOutcome outcome = board.tryPlay(g.moves[i + 1], g.moves[i + 2], g.moves[i]);
                refused += outcome.played() ? 0 : 1;
                captured += outcome.captures.size();
            }
            moves += g.moves.size() / 3;
        }
        benchmark::DoNotOptimize(captured);
    }
    state.counters["games"] = static_cast<double>(all.size());
    state.counters["moves"] = static_cast<double>(moves);
    state.counters["refused"] = static_cast<double>(refused);
    state.counters["captured"] = static_cast<double>(captured);
    state.counters["moves/s"] = benchmark::Counter(
        static_cast<double>(moves) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayMainLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
