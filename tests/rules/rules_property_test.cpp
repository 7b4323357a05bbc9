// Randomized checks of the rules engine: lockstep against the plain reference transcription over
// every public operation, IsLegalMove against Play, undo against replay, review against play.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "bench/workloads.h"
#include "rules/game.h"
#include "rules/replay_cursor.h"
#include "tests/support/board_comparison.h"
#include "tests/support/reference_board.h"

namespace go {
namespace {

using testing::BoardParts;
using testing::FirstDifference;
using testing::ReferenceBoard;
using Snapshot = std::array<BoardCell, kPointCount>;

// A point of either side's board: the reference and the parts answer GetCell themselves, a game
// through its position.
template <class Board>
BoardCell CellAt(const Board& board, int x, int y) {
    return board.GetCell(x, y);
}
BoardCell CellAt(const Game& game, int x, int y) { return game.position().GetCell(x, y); }

template <class Board>
Snapshot Capture(const Board& board) {
    Snapshot cells;
    for (int p = 0; p < kPointCount; ++p) cells[p] = CellAt(board, p % kBoardSize, p / kBoardSize);
    return cells;
}

// Picks moves the way the benchmark playouts do (a random empty point that does not fill the
// mover's own eye), so that games grow long, capture a lot and fight kos.
template <class Board, class Rng>
std::pair<int, int> PlayoutMove(const Board& board, StoneColor color, Rng& rng) {
    std::vector<int> empties;
    for (int p = 0; p < kPointCount; ++p) {
        if (CellAt(board, p % kBoardSize, p / kBoardSize).color == kEmpty) empties.push_back(p);
    }
    std::shuffle(empties.begin(), empties.end(), rng);
    for (int p : empties) {
        const int x = p % kBoardSize;
        const int y = p / kBoardSize;
        bool ownEye = true;
        const int dx[4] = {-1, 1, 0, 0};
        const int dy[4] = {0, 0, -1, 1};
        for (int d = 0; d < 4; ++d) {
            const BoardCell n = CellAt(board, x + dx[d], y + dy[d]);
            if (n.group != kOffBoardGroup && n.color != color) ownEye = false;
        }
        if (!ownEye && board.IsLegalMove(color, x, y)) return {x, y};
    }
    return {kNoCoord, kNoCoord};
}

class Lockstep {
public:
    explicit Lockstep(uint64_t seed) : m_rng(seed) {}

    // One random operation on both boards; returns its name.
    std::string Step() {
        const int roll = Roll(1000);
        if (roll < 420) return PlayGoodMove();
        if (roll < 500) return PlayAnyPoint();
        if (roll < 540) return Both("pass", [](auto& b) { return b.Play(b.GetSideToMove(), 255, 255); });
        if (roll < 600) return SetupStone();
        if (roll < 640) return Both("undo", [](auto& b) { return b.Undo(); });
        if (roll < 720) return Review();
        if (roll < 790) return Mark();
        if (roll < 840) return Count();
        if (roll < 850) return NewGame();
        if (roll < 880) return Replay();
        if (roll < 890) return Both("clear region clicks", [](auto& b) { b.ClearRegionClicks(); return true; });
        return PlayGoodMove();
    }

    // Legality of every point for both colours, on both boards.
    std::string CompareAllLegality() const {
        for (int color = 0; color < 2; ++color) {
            for (int p = 0; p < kPointCount; ++p) {
                const int x = p % kBoardSize;
                const int y = p / kBoardSize;
                if (m_fast.IsLegalMove(color, x, y) != m_ref.IsLegalMove(color, x, y)) {
                    return "legality of (" + std::to_string(x) + ", " + std::to_string(y) + ") for colour " +
                           std::to_string(color);
                }
            }
        }
        return {};
    }

    const BoardParts& fast() const { return m_fast; }
    const ReferenceBoard& ref() const { return m_ref; }

private:
    int Roll(int n) { return static_cast<int>(m_rng() % static_cast<uint64_t>(n)); }

    template <class Op>
    std::string Both(const std::string& name, Op op) {
        const bool a = op(m_fast);
        const bool b = op(m_ref);
        if (a != b) return name + ": results differ";
        return name;
    }

    std::string PlayAt(const std::string& name, int color, int x, int y) {
        const bool legal = m_fast.IsLegalMove(color, x, y);
        const Snapshot before = Capture(m_fast);
        const bool played = m_fast.Play(color, x, y);
        const bool refPlayed = m_ref.Play(color, x, y);
        if (legal != played) return name + ": IsLegalMove and Play disagree";
        if (played != refPlayed) return name + ": results differ";
        if (!played && Capture(m_fast) != before) return name + ": refused move changed the board";
        return name;
    }

    std::string PlayGoodMove() {
        const StoneColor color = m_fast.GetSideToMove();
        const auto [x, y] = PlayoutMove(m_fast, color, m_rng);
        return PlayAt("play", color, x, y);
    }

    std::string PlayAnyPoint() {
        static constexpr int kColors[] = {0, 1, 2, 255, -1};
        static constexpr int kCoords[] = {0, 18, 19, 255, -1, 300};
        const int color = Roll(4) == 0 ? kColors[Roll(5)] : m_fast.GetSideToMove();
        const int x = Roll(8) == 0 ? kCoords[Roll(6)] : Roll(kBoardSize);
        const int y = Roll(8) == 0 ? kCoords[Roll(6)] : Roll(kBoardSize);
        return PlayAt("play anywhere", color, x, y);
    }

    std::string SetupStone() {
        // Prefer points that carry the capture mark: setup stones there count as empty.
        std::vector<int> marked;
        for (int p = 0; p < kPointCount; ++p) {
            const BoardCell c = m_fast.GetCell(p % kBoardSize, p / kBoardSize);
            if (c.color == kEmpty && c.mark == kMarkCaptured) marked.push_back(p);
        }
        int p = Roll(kPointCount);
        if (!marked.empty() && Roll(2) == 0) p = marked[Roll(static_cast<int>(marked.size()))];
        const int color = Roll(10) == 0 ? 7 : Roll(2);
        return Both("setup stone", [&](auto& b) { b.PlaceSetupStone(color, p % kBoardSize, p / kBoardSize); return true; });
    }

    std::string Review() {
        switch (Roll(6)) {
            case 0: {
                const bool on = Roll(3) != 0;
                return Both("set reviewing", [on](auto& b) { b.SetReviewing(on); return true; });
            }
            case 1: return Both("review back", [](auto& b) { return b.ReviewBack(); });
            case 2: return Both("review forward", [](auto& b) { return b.ReviewForward(); });
            case 3: {
                const int n = Roll(m_fast.PlayedCount() + 3) - 1;
                return Both("review go to", [n](auto& b) { return b.ReviewGoTo(n); });
            }
            case 4: return Both("review end", [](auto& b) { return b.ReviewEnd(); });
            default: return Both("review back", [](auto& b) { return b.ReviewBack(); });
        }
    }

    std::string Mark() {
        const int x = Roll(20) == 0 ? 19 : Roll(kBoardSize);
        const int y = Roll(kBoardSize);
        if (Roll(4) == 0) return Both("unmark dead", [=](auto& b) { b.UnmarkDead(x, y); return true; });
        const RegionClicks clicks = Roll(2) == 0 ? RegionClicks::On : RegionClicks::Off;
        return Both("mark dead", [=](auto& b) { return b.MarkDead(x, y, clicks); });
    }

    std::string Count() {
        switch (Roll(3)) {
            case 0: return Both("recount", [](auto& b) { b.Recount(); return true; });
            case 1: {
                const int color = Roll(5) == 0 ? 2 : Roll(2);
                return Both("territory", [color](auto& b) { return b.Territory(color) >= 0; }) +
                       (m_fast.Territory(color) == m_ref.Territory(color) ? "" : ": territory differs");
            }
            default: {
                const int black = m_fast.Score(kBlack);
                const int white = m_fast.Score(kWhite);
                const int refBlack = m_ref.Score(kBlack);
                const int refWhite = m_ref.Score(kWhite);
                return black == refBlack && white == refWhite ? "score" : "score: differs";
            }
        }
    }

    std::string NewGame() {
        static constexpr int kTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 25, 10, -3};
        const int type = kTypes[Roll(14)];
        const int komi = Roll(2) == 0 ? 75 : 55;
        return Both("new game", [=](auto& b) {
            b.Restart(type, komi);
            return true;
        });
    }

    std::string Replay() {
        const std::vector<uint8_t> bytes = m_fast.SaveMoves();
        const int n = Roll(static_cast<int>(bytes.size() / 3) + 2) - 1;
        return Both("load and replay record", [&](auto& b) {
            b.LoadRecord(bytes);
            return b.ReplayRecord(n);
        });
    }

    std::mt19937_64 m_rng;
    BoardParts m_fast;
    ReferenceBoard m_ref;
};

TEST(RulesProperty, MatchesTheReferenceOverRandomOperations) {
    for (uint64_t seed : {1u, 2u, 3u, 4u}) {
        Lockstep run(seed);
        for (int step = 0; step < 2500; ++step) {
            const std::string op = run.Step();
            ASSERT_EQ(op.find(':'), std::string::npos) << "seed " << seed << " step " << step << " " << op;
            ASSERT_EQ(run.fast().game.position().CheckInvariants(), "") << "seed " << seed << " step " << step << " after " << op;
            ASSERT_EQ(FirstDifference(run.fast(), run.ref()), "") << "seed " << seed << " step " << step << " after " << op;
            if (step % 50 == 0) {
                ASSERT_EQ(run.CompareAllLegality(), "") << "seed " << seed << " step " << step;
            }
        }
        EXPECT_EQ(run.fast().count.recountCounter(), run.ref().recountCounter());
    }
}

TEST(RulesProperty, ColorAtReadsWhatGetCellSaysAfterEveryOperation) {
    // Every operation of the lockstep run, the scan mode of setup stones on captured points
    // included; the points just off the board read as empty, as GetCell says.
    Lockstep run(5);
    for (int step = 0; step < 3000; ++step) {
        const std::string op = run.Step();
        for (int y = -1; y <= kBoardSize; ++y) {
            for (int x = -1; x <= kBoardSize; ++x) {
                ASSERT_EQ(run.fast().game.position().ColorAt(x, y), run.fast().GetCell(x, y).color)
                    << "(" << x << ", " << y << ") at step " << step << " after " << op;
            }
        }
    }
}

TEST(RulesProperty, ReferenceAndBoardPlayTheSamePlayouts) {
    // The playouts fill the board, capture and retake kos: exactly where a subtle legality
    // difference shows. Both must make every choice alike.
    workloads::SplitMix64 fastRng(workloads::kSeed);
    workloads::SplitMix64 refRng(workloads::kSeed);
    workloads::PositionBoard fast;
    ReferenceBoard ref;
    for (int i = 0; i < 10; ++i) {
        const workloads::PlayoutResult a = workloads::RunPlayout(fast, fastRng);
        const workloads::PlayoutResult b = workloads::RunPlayout(ref, refRng);
        ASSERT_EQ(a.turns, b.turns) << "playout " << i;
        ASSERT_EQ(a.captured, b.captured) << "playout " << i;
        ASSERT_EQ(a.checksum, b.checksum) << "playout " << i;
    }
}

TEST(RulesProperty, LegalityAgreesOnCrowdedBoards) {
    // Long games without resets, compared point by point every few moves once the board fills.
    for (uint64_t seed : {21u, 22u}) {
        std::mt19937_64 rng(seed);
        BoardParts fast;
        ReferenceBoard ref;
        for (int turn = 0; turn < 700; ++turn) {
            const StoneColor color = fast.GetSideToMove();
            const auto [x, y] = PlayoutMove(fast, color, rng);
            ASSERT_EQ(fast.Play(color, x, y), ref.Play(color, x, y)) << "turn " << turn;
            if (turn >= 150 && turn % 7 == 0) {
                for (int p = 0; p < kPointCount; ++p) {
                    for (int c = 0; c < 2; ++c) {
                        ASSERT_EQ(fast.IsLegalMove(c, p % kBoardSize, p / kBoardSize),
                                  ref.IsLegalMove(c, p % kBoardSize, p / kBoardSize))
                            << "seed " << seed << " turn " << turn << " point " << p;
                    }
                }
                ASSERT_EQ(FirstDifference(fast, ref), "") << "turn " << turn;
            }
        }
    }
}

// A long game of random moves with its position after every move.
struct PlayedGame {
    Game board;
    std::vector<Snapshot> positions;  // positions[k] after k moves
};

PlayedGame PlayRandomGame(uint64_t seed, int handicap, int turns) {
    PlayedGame game;
    std::mt19937_64 rng(seed);
    game.board.Restart(handicap, 55);
    game.positions.push_back(Capture(game.board));
    for (int t = 0; t < turns; ++t) {
        const StoneColor color = game.board.GetSideToMove();
        auto [x, y] = PlayoutMove(game.board, color, rng);
        if (rng() % 40 == 0) x = y = kNoCoord;
        EXPECT_TRUE(game.board.Play(color, x, y));
        game.positions.push_back(Capture(game.board));
    }
    return game;
}

TEST(RulesProperty, UndoEqualsReplayingAllButTheLastMove) {
    for (int handicap : {0, 4}) {
        PlayedGame game = PlayRandomGame(7 + handicap, handicap, 400);
        Game& board = game.board;
        for (int k = board.PlayedCount(); k > 0; --k) {
            ASSERT_TRUE(board.Undo()) << k;
            ASSERT_EQ(board.PlayedCount(), k - 1);
            ASSERT_TRUE(Capture(board) == game.positions[k - 1]) << "after undoing move " << k;
            if (k % 37 == 0) {
                ASSERT_EQ(board.position().CheckInvariants(), "");
            }
        }
        EXPECT_FALSE(board.Undo());
    }
}

TEST(RulesProperty, ReviewAndReplayShowThePlayedPositions) {
    PlayedGame game = PlayRandomGame(11, 2, 500);
    Game& board = game.board;
    ReplayCursor review(board);
    const int count = board.PlayedCount();
    review.SetReviewing(true);
    ASSERT_TRUE(review.GoTo(1));
    for (int k = 1; k < count; ++k) {
        ASSERT_TRUE(Capture(board) == game.positions[k]) << "review at move " << k;
        if (k < count - 1) {
            ASSERT_TRUE(review.Forward());
        } else {
            ASSERT_FALSE(review.Forward());
        }
    }
    ASSERT_TRUE(review.End());
    ASSERT_TRUE(Capture(board) == game.positions[count]);

    Game replay;
    ReplayCursor record(replay);
    replay.Restart(2, 55);
    record.LoadRecord(board.moves());
    for (int k = 0; k < count; k += 13) {
        ASSERT_TRUE(record.ReplayRecord(k));
        ASSERT_TRUE(Capture(replay) == game.positions[k + 1]) << "replay through move " << k;
    }
}

}  // namespace
}  // namespace go
