#pragma once

// One board engine's runs of the fixed workloads, each engine compiled in a translation unit of
// its own so that neither is optimised into the other's code. The timing is inside the runner:
// what a round measures is the workload alone, not the call that starts it.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/workloads.h"

namespace go::sidebyside {

using Turns = std::vector<MoveRecord>;

struct RunResult {
    double seconds = 0;
    int64_t work = 0;      // stones played (W1, W2) or legality tests (W3)
    int64_t checksum = 0;  // what both engines must agree on: the same work gives the same sum
};

class WorkloadRunner {
public:
    virtual ~WorkloadRunner() = default;
    // W2: `turns` replayed `repeats` times from an empty board, a legality test before every stone.
    virtual RunResult CheckedReplay(const Turns& turns, int repeats) = 0;
    // W3: each playout replayed, every point tested every tenth turn.
    virtual RunResult LegalityScan(const std::vector<Turns>& playouts) = 0;
    // W1: `count` random playouts from the workloads' seed, the turn policy included.
    virtual RunResult RandomPlayouts(int count) = 0;
};

// The same harness for any board with the workloads' interface.
template <class Board>
class BoardRunner final : public WorkloadRunner {
public:
    RunResult CheckedReplay(const Turns& turns, int repeats) override {
        RunResult r;
        const auto start = Clock::now();
        for (int i = 0; i < repeats; ++i) {
            r.work += workloads::ReplayTurns(m_board, turns.data(), turns.size()) ? static_cast<int64_t>(turns.size()) : 0;
            r.checksum += workloads::CapturedTotal(m_board);
        }
        r.seconds = Since(start);
        r.checksum += workloads::PositionChecksum(m_board);
        return r;
    }

    RunResult LegalityScan(const std::vector<Turns>& playouts) override {
        workloads::ScanCounts counts;
        const auto start = Clock::now();
        for (const Turns& turns : playouts) workloads::ScanPlayout(m_board, turns, counts);
        return RunResult{Since(start), counts.tests, counts.legal};
    }

    RunResult RandomPlayouts(int count) override {
        RunResult r;
        workloads::SplitMix64 rng(workloads::kSeed);
        const auto start = Clock::now();
        for (int i = 0; i < count; ++i) {
            const workloads::PlayoutResult playout = workloads::RunPlayout(m_board, rng);
            r.work += playout.stones;
            r.checksum += playout.checksum + playout.captured;
        }
        r.seconds = Since(start);
        return r;
    }

private:
    using Clock = std::chrono::steady_clock;
    static double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

    Board m_board;
};

std::unique_ptr<WorkloadRunner> MakeOurRunner();
std::unique_ptr<WorkloadRunner> MakeKataGoRunner();

}  // namespace go::sidebyside
