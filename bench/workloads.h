#pragma once

// The fixed board workloads that the benchmarks time and the fingerprint tests check: random
// playouts driven by splitmix64 (seed 12345), a replay of the first playout, and a legality scan.
// Templated on the board so that the reference transcription can run them too.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "rules/board_types.h"
#include "rules/position.h"

namespace go::workloads {

class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : m_state(seed) {}
    uint64_t Next() {
        m_state += 0x9E3779B97F4A7C15ULL;
        uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

private:
    uint64_t m_state;
};

constexpr uint64_t kSeed = 12345;
constexpr int kPlayoutCount = 2000;
constexpr int kStoneLimit = 1000;

struct PlayoutResult {
    std::vector<MoveRecord> turns;  // every turn in order, passes included
    int64_t stones = 0;
    int64_t legalityTests = 0;
    int64_t captured = 0;
    int64_t checksum = 0;  // sum over points p = y * 19 + x of (p + 1) * (0 empty, 1 black, 2 white)
};

// Our position behind the workloads' interface, as KataGo's board is behind it beside: the side to
// move is the adapter's, a pass only hands the turn over. Nothing is listed; the game's list is
// its users' business, not the rules engine's speed.
class PositionBoard {
public:
    // A call, as an engine's reset is: inlined into the playouts it changes how the compiler lays
    // out their policy loop, which costs W1 a sixth and measures the compiler, not the engine.
    [[gnu::noinline]] void Reset() {
        m_position.Clear();
        m_side = kBlack;
    }
    BoardCell GetCell(int x, int y) const { return m_position.GetCell(x, y); }
    StoneColor GetSideToMove() const { return m_side; }
    bool IsLegalMove(StoneColor color, int x, int y) const {
        if (color != m_side) return false;
        if (x == kNoCoord && y == kNoCoord) return true;
        return m_position.IsLegal(color, x, y);
    }
    bool PlaceStone(StoneColor color, int x, int y) {
        if (color != m_side) return false;
        if ((x != kNoCoord || y != kNoCoord) && !m_position.Play(color, x, y)) return false;
        m_side = Opponent(m_side);
        return true;
    }
    int blackCaptured() const { return m_position.blackCaptured(); }
    int whiteCaptured() const { return m_position.whiteCaptured(); }
    const Position& position() const { return m_position; }

private:
    Position m_position;
    StoneColor m_side = kBlack;
};

template <class Board>
int64_t PositionChecksum(const Board& board) {
    int64_t sum = 0;
    for (int y = 0; y < kBoardSize; ++y) {
        for (int x = 0; x < kBoardSize; ++x) {
            const StoneColor c = board.GetCell(x, y).color;
            if (c != kEmpty) sum += static_cast<int64_t>(y * kBoardSize + x + 1) * (c + 1);
        }
    }
    return sum;
}

template <class Board>
int64_t CapturedTotal(const Board& board) {
    return board.blackCaptured() + board.whiteCaptured();
}

// True when every on-board orthogonal neighbour of (x, y) holds a stone of `color`: the playouts
// never fill such a point, and spend no legality test on it.
template <class Board>
bool SurroundedByOwn(const Board& board, int x, int y, StoneColor color) {
    const int dx[4] = {-1, 1, 0, 0};
    const int dy[4] = {0, 0, -1, 1};
    for (int d = 0; d < 4; ++d) {
        const int nx = x + dx[d];
        const int ny = y + dy[d];
        if (nx < 0 || nx >= kBoardSize || ny < 0 || ny >= kBoardSize) continue;
        if (board.GetCell(nx, ny).color != color) return false;
    }
    return true;
}

// One playout on `board` (reset first), drawing from `rng`.
template <class Board>
PlayoutResult RunPlayout(Board& board, SplitMix64& rng) {
    PlayoutResult result;
    board.Reset();
    std::array<int, kPointCount> candidates;
    int consecutivePasses = 0;
    StoneColor color = kBlack;
    while (consecutivePasses < 2 && result.stones < kStoneLimit) {
        int n = 0;
        for (int p = 0; p < kPointCount; ++p) {
            if (board.GetCell(p % kBoardSize, p / kBoardSize).color == kEmpty) candidates[n++] = p;
        }
        for (int i = n - 1; i >= 1; --i) {
            const int j = static_cast<int>(rng.Next() % static_cast<uint64_t>(i + 1));
            std::swap(candidates[i], candidates[j]);
        }
        MoveRecord move{color, kNoCoord, kNoCoord};
        for (int i = 0; i < n; ++i) {
            const int x = candidates[i] % kBoardSize;
            const int y = candidates[i] / kBoardSize;
            if (SurroundedByOwn(board, x, y, color)) continue;
            ++result.legalityTests;
            if (board.IsLegalMove(color, x, y)) {
                move.x = static_cast<uint8_t>(x);
                move.y = static_cast<uint8_t>(y);
                break;
            }
        }
        const int64_t before = CapturedTotal(board);
        board.PlaceStone(move.color, move.x, move.y);
        result.captured += CapturedTotal(board) - before;
        result.turns.push_back(move);
        if (move.isPass()) {
            ++consecutivePasses;
        } else {
            consecutivePasses = 0;
            ++result.stones;
        }
        color = Opponent(color);
    }
    result.checksum = PositionChecksum(board);
    return result;
}

// Replays recorded turns from an empty board, testing legality before every stone. Returns false
// at the first turn the board refuses.
// The turns of the first `count` playouts of the stream.
template <class Board>
std::vector<std::vector<MoveRecord>> FirstPlayouts(int count) {
    SplitMix64 rng(kSeed);
    Board board;
    std::vector<std::vector<MoveRecord>> playouts;
    for (int i = 0; i < count; ++i) playouts.push_back(RunPlayout(board, rng).turns);
    return playouts;
}

template <class Board>
bool ReplayTurns(Board& board, const MoveRecord* turns, size_t count) {
    board.Reset();
    for (size_t i = 0; i < count; ++i) {
        const MoveRecord m = turns[i];
        if (!board.IsLegalMove(m.color, m.x, m.y) || !board.PlaceStone(m.color, m.x, m.y)) return false;
    }
    return true;
}

struct ScanCounts {
    int64_t tests = 0;
    int64_t legal = 0;
};

// Replays one playout; before every turn whose index is a multiple of 10 and that does not follow a
// pass, tests all 361 points for the side to move.
template <class Board>
void ScanPlayout(Board& board, const std::vector<MoveRecord>& turns, ScanCounts& counts) {
    board.Reset();
    for (size_t i = 0; i < turns.size(); ++i) {
        if (i % 10 == 0 && (i == 0 || !turns[i - 1].isPass())) {
            const auto side = board.GetSideToMove();
            for (int p = 0; p < kPointCount; ++p) {
                counts.legal += board.IsLegalMove(side, p % kBoardSize, p / kBoardSize);
            }
            counts.tests += kPointCount;
        }
        board.PlaceStone(turns[i].color, turns[i].x, turns[i].y);
    }
}

}  // namespace go::workloads
