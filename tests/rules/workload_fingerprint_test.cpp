// The benchmark workloads are fixed: their counts are the engine's fingerprint, and any change in
// legality, captures or ko shows up here before it shows up as a wrong game.

#include <gtest/gtest.h>

#include "bench/workloads.h"
#include "rules/game.h"

namespace go {
namespace {

using namespace workloads;

TEST(WorkloadFingerprint, RandomSourceStartsWhereTheWorkloadsSay) {
    SplitMix64 rng(kSeed);
    EXPECT_EQ(rng.Next(), 0x22118258a9d111a0ULL);
}

TEST(WorkloadFingerprint, TwoThousandPlayouts) {
    SplitMix64 rng(kSeed);
    PositionBoard board;
    int64_t stones = 0;
    int64_t tests = 0;
    int64_t captured = 0;
    int64_t capturedFirst100 = 0;
    int64_t checksumsFirst10 = 0;
    for (int i = 0; i < kPlayoutCount; ++i) {
        const PlayoutResult r = RunPlayout(board, rng);
        stones += r.stones;
        tests += r.legalityTests;
        captured += r.captured;
        if (i < 100) capturedFirst100 += r.captured;
        if (i < 10) checksumsFirst10 += r.checksum;
        if (i % 250 == 0) {
            ASSERT_EQ(board.position().CheckInvariants(), "") << "playout " << i;
        }
    }
    EXPECT_EQ(stones, 1'618'645);
    EXPECT_EQ(tests, 16'388'799);
    EXPECT_EQ(captured, 1'015'307);
    EXPECT_EQ(capturedFirst100, 47'274);
    EXPECT_EQ(checksumsFirst10, 787'672);
}

TEST(WorkloadFingerprint, ReplayOfTheFirstPlayoutAndTheLegalityScan) {
    SplitMix64 rng(kSeed);
    PositionBoard board;
    std::vector<std::vector<MoveRecord>> playouts;
    for (int i = 0; i < 100; ++i) playouts.push_back(RunPlayout(board, rng).turns);

    ASSERT_GE(playouts[0].size(), 300u);
    ASSERT_TRUE(ReplayTurns(board, playouts[0].data(), 300));
    EXPECT_EQ(PositionChecksum(board), 74549);
    EXPECT_EQ(CapturedTotal(board), 24);

    ScanCounts counts;
    for (const auto& turns : playouts) ScanPlayout(board, turns, counts);
    EXPECT_EQ(counts.tests, 2'819'410);
    EXPECT_EQ(counts.legal, 817'531);
}

}  // namespace
}  // namespace go
