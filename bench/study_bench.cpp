// Opening the study window on a game: the session takes the rules and the moves and replays them
// to the last position. Timed beside the W2 replay of the same 300 turns, which is its yardstick.

#include <benchmark/benchmark.h>

#include "bench/workloads.h"
#include "rules/game.h"
#include "study/study_session.h"

namespace {

using namespace go;
using namespace go::workloads;

std::vector<MoveRecord> Turns() {
    std::vector<MoveRecord> turns = FirstPlayouts<PositionBoard>(1)[0];
    turns.resize(300);
    return turns;
}

void BM_W2_Replay300(benchmark::State& state) {
    const std::vector<MoveRecord> turns = Turns();
    PositionBoard board;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReplayTurns(board, turns.data(), turns.size()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_W2_Replay300)->Unit(benchmark::kMicrosecond);

void BM_OpenStudy300(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    for (const MoveRecord& m : Turns()) bytes.insert(bytes.end(), {m.color, m.x, m.y});
    study::StudySession session;
    const go::GameRecordHeader game;
    for (auto _ : state) {
        session.Open(game, bytes);
        benchmark::DoNotOptimize(session.Board().PlayedCount());
        benchmark::ClobberMemory();
    }
    state.counters["moves"] = static_cast<double>(session.Board().PlayedCount());
}
BENCHMARK(BM_OpenStudy300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
