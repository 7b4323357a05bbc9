#pragma once

// A deliberately plain transcription of the board rules: scratch copies for the legality test,
// liberties found by scanning, regions moved point by point. It is slow and obviously faithful,
// which is what the property tests compare the real engine against.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "rules/board_types.h"

namespace go::testing {

class ReferenceBoard {
public:
    ReferenceBoard();

    bool IsLegalMove(int color, int x, int y) const;
    // A stone or pass for the side to move, listed; false and no change when illegal.
    bool Play(int color, int x, int y);
    void PlaceSetupStone(int color, int x, int y);
    // A new game: the empty board and list, the komi, then the handicap.
    void Restart(int handicap, int komi);
    void SetKomi(int komi) { m_komi = ClampKomi(komi); }
    bool Undo();
    BoardCell GetCell(int x, int y) const;
    bool GetLastMove(MoveRecord& out) const;
    int GetSideToMove() const { return m_sideToMove; }
    int PlayedCount() const { return static_cast<int>(m_moves.size()); }
    std::vector<uint8_t> SaveMoves() const;
    void LoadRecord(std::span<const uint8_t> bytes);
    bool ReplayRecord(int n);
    void SetReviewing(bool on);
    bool IsReviewing() const { return m_reviewing != 0; }
    bool ReviewBack();
    bool ReviewForward();
    bool ReviewGoTo(int n);
    bool ReviewEnd();

    // The workloads' interface: an empty board and list, and a stone or pass played unlisted.
    void Reset();
    bool PlaceStone(int color, int x, int y);

    bool MarkDead(int x, int y, RegionClicks clicks);
    void UnmarkDead(int x, int y);
    void Recount();
    int Territory(int color);
    int Score(int color);
    void ClearRegionClicks();

    // Observers used by the comparisons.
    const std::vector<uint16_t>& chainPoints(int color, int slot) const { return m_chains[color][slot]; }
    const CountCell& countCell(int x, int y) const { return m_countCells[x][y]; }
    BoardPoint koPoint() const { return m_koPoint; }
    int komi() const { return m_komi; }
    int handicap() const { return m_handicap; }
    int blackCaptured() const { return m_blackCaptured; }
    int whiteCaptured() const { return m_whiteCaptured; }
    int deadBlack() const { return m_deadBlack; }
    int deadWhite() const { return m_deadWhite; }
    int moveCounter() const { return m_moveCounter; }
    int reviewPos() const { return m_reviewPos; }
    int clickedRegion() const { return m_clickedRegion; }
    int regionClicks(int slot) const { return m_regionClicks[slot]; }
    int regionOwner(int slot) const { return m_regionOwner[slot]; }
    const std::vector<MoveRecord>& moves() const { return m_moves; }
    const std::vector<MoveRecord>& recordMoves() const { return m_recordMoves; }
    int recountCounter() const { return m_recountCounter; }

private:
    void SetHandicap(int type);
    void AppendMove(int color, int x, int y);
    void ResetPosition();
    void ToggleSide() { m_sideToMove = m_sideToMove == 0 ? 1 : 0; }

    using Chains = std::array<std::array<std::vector<uint16_t>, kPointCount>, 2>;
    using Cells = std::array<std::array<BoardCell, kBoardSize>, kBoardSize>;

    static bool HasLiberty(const Cells& cells, const std::vector<uint16_t>& chain);
    static int LowestFreeSlot(const std::array<std::vector<uint16_t>, kPointCount>& slots);
    // Lists (x, y) in a fresh slot and merges its same-coloured neighbours into it; returns the
    // slot, or -1 when no slot is free or a consistency check fails.
    static int PlaceAndMerge(Cells& cells, Chains& chains, int color, int x, int y);
    void ClearPosition();
    bool RebuildReview(int count);
    int BorderOwner(int slot) const;
    int OverrideOwner(int slot);
    void RegionClick(int x, int y);

    Cells m_cells{};
    Chains m_chains{};
    std::array<std::array<CountCell, kBoardSize>, kBoardSize> m_countCells{};
    std::array<std::vector<uint16_t>, kPointCount> m_regions{};
    std::array<int, kPointCount> m_regionClicks{};
    std::array<int, kPointCount> m_regionOwner{};
    std::vector<MoveRecord> m_moves;
    std::vector<MoveRecord> m_recordMoves;
    BoardPoint m_koPoint{};
    MoveRecord m_lastMove{};
    int m_whiteCaptured = 0;
    int m_blackCaptured = 0;
    int m_deadWhite = 0;
    int m_deadBlack = 0;
    int m_clickedRegion = -1;
    int m_recountCounter = 0;
    int m_sideToMove = 0;
    int m_komi = 55;
    int m_handicap = 0;
    int m_reviewing = 0;
    int m_reviewPos = 0;
    int m_moveCounter = 0;
};

}  // namespace go::testing
