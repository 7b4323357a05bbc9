// Loading an SGF game as the view does: the text read (ReadSgf), made a record (RecordFromSgf,
// which replays it once to check every move) and replayed onto the view's board. The game is the
// first 300 turns of playout 1 of bench/workloads.h, written as another program writes it: GB2312
// names, the rules, a result and a few comments. Run with
//   build/default/bench/sgf_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// and quote the medians.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/workloads.h"
#include "record/record_replay.h"
#include "record/sgf.h"
#include "record/sgf_record.h"
#include "rules/game.h"

namespace go {
namespace {

constexpr size_t kGameLength = 300;

std::string GameText() {
    const std::vector<MoveRecord> turns = workloads::FirstPlayouts<workloads::PositionBoard>(1)[0];
    std::string text =
        "(;GM[1]FF[4]CA[GB2312]AP[Other:3.1]SZ[19]HA[0]KM[7.5]TM[1800]OT[3x30 byo-yomi]RU[Chinese]\n"
        "PB[\xba\xda\xc6\xe5\xca\xd6]BR[5d]PW[\xb0\xd7\xc6\xe5\xca\xd6]WR[6d]DT[2024-05-01]RE[W+R]\n";
    for (size_t i = 0; i < kGameLength && i < turns.size(); ++i) {
        const MoveRecord& m = turns[i];
        text += m.color == kBlack ? ";B[" : ";W[";
        if (!m.isPass()) text += {static_cast<char>('a' + m.x), static_cast<char>('a' + m.y)};
        text += "]";
        if (i % 50 == 49) text += "C[\xba\xc3\xca\xd6 a good move \\] here]";
        if (i % 10 == 9) text += "\n";
    }
    return text + ")\n";
}

void BM_SgfRead300(benchmark::State& state) {
    const std::string text = GameText();
    for (auto _ : state) {
        const SgfReadResult read = ReadSgf(text);
        benchmark::DoNotOptimize(read.game.moves.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SgfRead300)->Unit(benchmark::kMicrosecond);

void BM_SgfLoad300(benchmark::State& state) {
    const std::string text = GameText();
    Game board;
    for (auto _ : state) {
        const RecordFromSgfResult loaded = RecordFromSgf(text);
        if (!loaded.ok || loaded.moveBytes.size() != 3 * kGameLength) {
            state.SkipWithError("the game did not load whole");
            break;
        }
        benchmark::DoNotOptimize(ReplayRecordOnBoard(board, loaded.header.rules, loaded.moveBytes));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SgfLoad300)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace go

BENCHMARK_MAIN();
