// Match control and the table server on fixed workloads. Run with
//   build/default/bin/match_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// and quote the medians.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <vector>

#include "bench/workloads.h"
#include "hall/seats/controller_seat.h"
#include "hall/server/table_server.h"
#include "match/match_controller.h"
#include "match/match_snapshot.h"
#include "match/payloads.h"
#include "tests/support/plain_table.h"

namespace {

using go::MoveRecord;

// The first 400 turns of the first playout that lasts that long, or the first `count` of
// playout 1.
std::vector<MoveRecord> Turns(size_t count) {
    go::workloads::SplitMix64 rng(go::workloads::kSeed);
    go::workloads::PositionBoard board;
    for (int i = 0; i < go::workloads::kPlayoutCount; ++i) {
        std::vector<MoveRecord> turns = go::workloads::RunPlayout(board, rng).turns;
        if (turns.size() >= count) {
            turns.resize(count);
            return turns;
        }
    }
    return {};
}

using match::testing::PlainTable;

// A 400-move snapshot applied by a view's match core (everything but the paint).
void BM_Snapshot400(benchmark::State& state) {
    match::MatchSnapshot snapshot;
    snapshot.state = 1;
    snapshot.moves = Turns(400);
    const std::vector<uint8_t> bytes = match::EncodeSnapshot(snapshot);
    go::Game game;
    go::Count count;
    PlainTable table;
    match::MatchController controller(game, count, table, match::ViewProfile::Current());
    for (auto _ : state) benchmark::DoNotOptimize(controller.OnSnapshot(bytes));
    if (game.PlayedCount() != 400) state.SkipWithError("the snapshot did not replay");
}
BENCHMARK(BM_Snapshot400)->Unit(benchmark::kMicrosecond);

// The same 400 moves replayed with a legality test before each, on the same kind of board.
void BM_CheckedReplay400(benchmark::State& state) {
    const std::vector<MoveRecord> turns = Turns(400);
    go::workloads::PositionBoard board;
    for (auto _ : state) benchmark::DoNotOptimize(go::workloads::ReplayTurns(board, turns.data(), turns.size()));
}
BENCHMARK(BM_CheckedReplay400)->Unit(benchmark::kMicrosecond);

// A table of two players and an onlooker, agreed and playing.
struct Table {
    hall::TableServer server;
    hall::ControllerSeat black{server};
    hall::ControllerSeat white{server};
    hall::ControllerSeat onlooker{server};
    Table() {
        black.Join(0, {"b", 0});
        white.Join(1, {"w", 0});
        onlooker.Join(-1, {"o", 0});
        Settle();
        black.Press(match::control::kStart);
        white.Press(match::control::kStart);
        Settle();
    }
    void Settle() {
        do {
            server.ProcessQueue();
        } while (black.Pump() + white.Pump() + onlooker.Pump() > 0 || server.HasPendingWork());
    }
};

// One stone from a player's match core through the server to the other player's and an
// onlooker's: the click, the check on the server's board, the relays, both arrivals.
void BM_StoneThroughTheServer(benchmark::State& state) {
    const std::vector<MoveRecord> turns = Turns(300);
    auto table = std::make_unique<Table>();
    size_t next = 0;
    for (auto _ : state) {
        if (next == turns.size()) {
            state.PauseTiming();
            table = std::make_unique<Table>();
            next = 0;
            state.ResumeTiming();
        }
        const MoveRecord m = turns[next++];
        hall::ControllerSeat& mover = m.color == go::kBlack ? table->black : table->white;
        mover.Click(m.x, m.y);
        table->server.ProcessQueue();
        table->white.Pump();
        table->black.Pump();
        table->onlooker.Pump();
    }
    if (table->server.game().PlayedCount() != static_cast<int>(next)) state.SkipWithError("a stone was refused");
}
BENCHMARK(BM_StoneThroughTheServer)->Unit(benchmark::kMicrosecond);

// Seats that take deliveries and drop them: the server's own work alone.
class NullSeat : public hall::SeatLink {
public:
    void DeliverTable(const hall::TableModel&) override {}
    void DeliverSeatChange(int, int, int) override {}
    void DeliverCommand(match::MatchCommand, const std::vector<uint8_t>&) override {}
    void DeliverSnapshot(const std::vector<uint8_t>&) override {}
    void DeliverGameStart() override {}
    void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>&) override {}
};

long MaxResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

constexpr int kTables = 10000;

// Ten thousand tables of one server process, each with a game just started.
void StartTables(hall::SeatLink& seat, std::vector<std::unique_ptr<hall::TableServer>>& tables,
                 std::vector<std::array<hall::OccupantId, 2>>& ids) {
    tables.reserve(kTables);
    for (int i = 0; i < kTables; ++i) {
        auto server = std::make_unique<hall::TableServer>();
        const hall::OccupantId a = *server->Join(seat, 0, {"a", 0});
        const hall::OccupantId b = *server->Join(seat, 1, {"b", 0});
        server->SubmitReady(a);
        server->SubmitReady(b);
        go::GameRules rules;
        server->SubmitCommand(a, match::MatchCommand::RulesProposal, match::EncodeRules(rules));
        rules.side = 1;
        server->SubmitCommand(b, match::MatchCommand::RulesAccepted, match::EncodeRules(rules));
        server->ProcessQueue();
        tables.push_back(std::move(server));
        ids.push_back({a, b});
    }
}

// Ten thousand tables in one server process, every one playing a game, each taking one move.
void BM_TenThousandTablesEachPlayAMove(benchmark::State& state) {
    NullSeat seat;
    const long before = MaxResidentKilobytes();
    std::vector<std::unique_ptr<hall::TableServer>> tables;
    std::vector<std::array<hall::OccupantId, 2>> ids;
    StartTables(seat, tables, ids);
    const long after = MaxResidentKilobytes();
    const std::vector<MoveRecord> turns = Turns(300);
    size_t next = 0;
    for (auto _ : state) {
        const MoveRecord m = turns[next++ % turns.size()];
        const std::vector<uint8_t> stone = match::EncodeMove(m);
        for (int i = 0; i < kTables; ++i) {
            tables[i]->SubmitCommand(ids[i][m.color == go::kBlack ? 0 : 1], match::MatchCommand::StoneMove, stone);
            tables[i]->ProcessQueue();
        }
    }
    state.counters["KiB_per_table"] = static_cast<double>(after - before) / kTables;
    if (tables[0]->game().PlayedCount() != static_cast<int>(next)) state.SkipWithError("a move was refused");
}
BENCHMARK(BM_TenThousandTablesEachPlayAMove)->Unit(benchmark::kMillisecond)->Iterations(20);

// One second of every table's clock, as the hall's one-second timer gives it.
void BM_TenThousandTablesTickASecond(benchmark::State& state) {
    NullSeat seat;
    std::vector<std::unique_ptr<hall::TableServer>> tables;
    std::vector<std::array<hall::OccupantId, 2>> ids;
    StartTables(seat, tables, ids);
    for (auto _ : state) {
        for (auto& table : tables) table->Tick();
    }
}
BENCHMARK(BM_TenThousandTablesTickASecond)->Unit(benchmark::kMicrosecond)->Iterations(100);

}  // namespace

BENCHMARK_MAIN();
