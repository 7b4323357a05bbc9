// Rules-engine benchmarks on the fixed workloads of bench/workloads.h. Run with
//   build/default/bench/board_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// and quote the medians.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/workloads.h"
#include "rules/count.h"
#include "rules/game.h"

namespace go {
namespace {

using namespace workloads;

std::vector<std::vector<MoveRecord>> FirstPlayouts(int count) { return workloads::FirstPlayouts<PositionBoard>(count); }

// W1: 2000 random playouts from one stream, the turn policy included.
void BM_W1_RandomPlayouts(benchmark::State& state) {
    int64_t stones = 0;
    for (auto _ : state) {
        SplitMix64 rng(kSeed);
        PositionBoard board;
        for (int i = 0; i < kPlayoutCount; ++i) stones += RunPlayout(board, rng).stones;
    }
    state.counters["stones_per_second"] = benchmark::Counter(static_cast<double>(stones), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_W1_RandomPlayouts)->Unit(benchmark::kMillisecond)->Iterations(1);

// W2: the first 300 turns of playout 1 from an empty board, a legality test before every stone.
void BM_W2_Replay300(benchmark::State& state) {
    const std::vector<MoveRecord> turns = FirstPlayouts(1)[0];
    PositionBoard board;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReplayTurns(board, turns.data(), 300));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_W2_Replay300)->Unit(benchmark::kMicrosecond);

// W3: the first 100 playouts replayed, all 361 points tested every tenth turn.
void BM_W3_LegalityScan(benchmark::State& state) {
    const auto playouts = FirstPlayouts(100);
    PositionBoard board;
    int64_t tests = 0;
    for (auto _ : state) {
        ScanCounts counts;
        for (const auto& turns : playouts) ScanPlayout(board, turns, counts);
        tests += counts.tests;
        benchmark::DoNotOptimize(counts.legal);
    }
    state.counters["time_per_test"] =
        benchmark::Counter(static_cast<double>(tests), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_W3_LegalityScan)->Unit(benchmark::kMillisecond);

// The replays of W3 alone, to separate the cost of the tests from the cost of playing the turns.
void BM_W3_ReplayOnly(benchmark::State& state) {
    const auto playouts = FirstPlayouts(100);
    PositionBoard board;
    for (auto _ : state) {
        for (const auto& turns : playouts) {
            board.Reset();
            for (const MoveRecord& m : turns) board.PlaceStone(m.color, m.x, m.y);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_W3_ReplayOnly)->Unit(benchmark::kMillisecond);

// What every paint of the match view counts: a recount and both scores, on the final position of
// playout 1 with dead chains marked. "Changed" repaints after the dead marks changed (one full
// labelling, then two recounts of the same position); "Unchanged" repaints an unchanged position,
// as the clock ticks do.
Game CountingPosition(int& deadChains) {
    const std::vector<MoveRecord> turns = FirstPlayouts(1)[0];
    Game game;
    for (const MoveRecord& m : turns) game.Play(m.color, m.x, m.y);
    deadChains = 0;
    for (int p = 0; p < kPointCount && deadChains < 4; p += 37) {
        deadChains += game.position().MarkChainDead(p % kBoardSize, p / kBoardSize);
    }
    return game;
}

void BM_CountPerPaintChanged(benchmark::State& state) {
    int deadChains = 0;
    Game game = CountingPosition(deadChains);
    Count count;
    Position& board = game.position();
    int toggled = 0;
    while (board.GetCell(toggled % kBoardSize, toggled / kBoardSize).color == kEmpty) ++toggled;
    const int tx = toggled % kBoardSize;
    const int ty = toggled / kBoardSize;
    bool dead = board.GetCell(tx, ty).mark == kMarkDead;
    for (auto _ : state) {
        if (dead) {
            board.UnmarkChainDead(tx, ty);
        } else {
            count.MarkDead(board, tx, ty, RegionClicks::Off);
        }
        dead = !dead;
        count.Recount(board);
        benchmark::DoNotOptimize(count.Score(game, kBlack));
        benchmark::DoNotOptimize(count.Score(game, kWhite));
    }
    state.counters["dead_chains"] = deadChains;
}
BENCHMARK(BM_CountPerPaintChanged)->Unit(benchmark::kMicrosecond);

void BM_CountPerPaintUnchanged(benchmark::State& state) {
    int deadChains = 0;
    const Game game = CountingPosition(deadChains);
    Count count;
    for (auto _ : state) {
        count.Recount(game.position());
        benchmark::DoNotOptimize(count.Score(game, kBlack));
        benchmark::DoNotOptimize(count.Score(game, kWhite));
    }
    state.counters["dead_chains"] = deadChains;
}
BENCHMARK(BM_CountPerPaintUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace go

BENCHMARK_MAIN();
