#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/board_types.h"

namespace go {

// The 19 x 19 rules engine: legality, captures, simple ko, handicap, the move list with undo and
// review by replay, dead stones and the count. Plain data, no window, no thread.
//
// Observable numbering follows one fixed procedure and must not drift: chain slots (GetCell's
// `group`) are taken lowest free first per colour, a new stone takes a fresh slot and absorbs its
// same-coloured neighbours' chains in neighbour order (x-1, x+1, y-1, y+1); count regions are
// numbered by the labelling pass of RecountTerritory. Internally chains are linked lists with
// their liberty counts at their roots, so that a legality test is a handful of loads.
class GoBoard {
public:
    GoBoard();

    // ---- Play ----
    bool IsLegalMove(int color, int x, int y) const {
        if (!IsPlayerColor(color) || color != m_sideToMove) return false;
        if (x == kNoCoord && y == kNoCoord) return true;
        if (!OnBoard(x, y)) return false;
        const int index = Index(x, y);
        if (m_color[index] != kEmpty || index == m_koIndex) return false;
        // No test for a free chain slot: every used slot holds a stone, so with this point empty
        // at most 360 of the 361 slots of a colour can be in use.
        if (!m_libsValid) return IsLegalByScan(color, index);
        // Legal when the stone keeps a liberty (an empty neighbour, or a friendly chain with a
        // liberty besides this point) or captures (an enemy chain whose only liberty is this point).
        for (int d = 0; d < 4; ++d) {
            const int q = index + kNeighbour[d];
            const uint8_t c = m_color[q];
            if (c == kEmpty) return true;
            if (c == kWall) continue;
            const uint16_t libs = m_chains[m_root[q]].libs;
            if (c == color ? libs > 1 : libs == 1) return true;
        }
        return false;
    }
    // Plays a stone or, at (255, 255), a pass for the side to move; false and no change when illegal.
    bool PlaceStone(int color, int x, int y);
    // Puts a handicap or setup stone without any rule check; ignored on bad colours, off the board
    // and on occupied points.
    void PlaceSetupStone(int color, int x, int y);
    void SetHandicap(int type);
    // Clamped to +-kMaxKomi.
    void SetKomi(int komi) { m_komi = ClampKomi(komi); }
    void AppendMove(int color, int x, int y);
    void Reset();
    void ResetPosition();
    bool UndoLast();
    BoardCell GetCell(int x, int y) const {
        if (!OnBoard(x, y)) return BoardCell{kEmpty, kOffBoardGroup, kMarkNone, 0};
        const int index = Index(x, y);
        if (m_color[index] == kEmpty) return BoardCell{kEmpty, kNoGroup, m_mark[index], 0};
        return BoardCell{m_color[index], m_chains[m_root[index]].slot, m_mark[index], m_moveNumber[index]};
    }
    // GetCell(x, y).color without the rest: one load on the board.
    StoneColor ColorAt(int x, int y) const { return OnBoard(x, y) ? m_color[Index(x, y)] : kEmpty; }
    bool GetLastMove(MoveRecord& out) const;
    int GetSideToMove() const { return m_sideToMove; }
    void ToggleSide() { m_sideToMove = m_sideToMove == kBlack ? kWhite : kBlack; }
    void SetMode(int mode) { m_boardMode = mode; }
    int GetMode() const { return m_boardMode; }
    int PlayedCount() const { return static_cast<int>(m_moves.size()); }
    // `moves` as consecutive 3-byte records; the size is 3 x PlayedCount().
    std::vector<uint8_t> SaveMoves() const;
    // Replaces the loaded record by the whole 3-byte records of `bytes`; 1 or 2 trailing bytes are
    // ignored.
    void LoadRecord(std::span<const uint8_t> bytes);
    // Rebuilds the position from entries 0..n of the loaded record; false past its end or at the
    // first entry the rules refuse (the position then shows the entries before it).
    bool ReplayRecord(int n);

    // ---- Review of `moves` (the position is rebuilt from scratch each time) ----
    void SetReviewing(bool on);
    int IsReviewing() const { return m_reviewing; }
    bool ReviewBack();
    bool ReviewForward();  // stops one short of the end: the end is ReviewGoTo(count) or ReviewEnd
    bool ReviewGoTo(int n);
    bool ReviewEnd();

    // ---- Dead stones and counting ----
    bool MarkDead(int x, int y, RegionClicks clicks);
    void UnmarkDead(int x, int y);
    void RecountTerritory();
    int Territory(int color);
    // Territory plus prisoners in tenths of a point; komi is taken from black.
    int Score(int color);
    // Forgets every region-owner override and the pending click (leaving the count).
    void ClearRegionClicks();

    // ---- Fields the callers read or keep ----
    int recordPos() const { return m_recordPos; }
    void setRecordPos(int pos) { m_recordPos = pos; }
    int scoreShown() const { return m_scoreShown; }
    void setScoreShown(int shown) { m_scoreShown = shown; }
    int komi() const { return m_komi; }
    int handicap() const { return m_handicap; }
    int whiteCaptured() const { return m_whiteCaptured; }
    int blackCaptured() const { return m_blackCaptured; }
    int deadWhite() const { return m_deadWhite; }
    int deadBlack() const { return m_deadBlack; }
    int moveCounter() const { return m_moveCounter; }
    int reviewPos() const { return m_reviewPos; }
    BoardPoint koPoint() const;
    const std::vector<MoveRecord>& moves() const { return m_moves; }
    const std::vector<MoveRecord>& recordMoves() const { return m_recordMoves; }
    // The position as last counted; x and y below 19.
    const CountCell& countCell(int x, int y) const { return m_countCells[x][y]; }
    int clickedRegion() const { return m_clickedRegion; }
    // The override state of region slot `slot`, below 361.
    int regionClicks(int slot) const { return m_regionClicks[slot]; }
    int regionOwner(int slot) const { return m_regionOwner[slot]; }
    // The packed points of chain slot `slot` of `color` in list order; empty for a free slot.
    std::vector<uint16_t> chainPoints(int color, int slot) const;
    // Recounts that have seen the pending region click: the second commits it (black's and
    // white's score of one display).
    int recountCounter() const { return m_recountCounter; }

    // Recomputes every derived structure from the stones and returns the first broken rule, or an
    // empty string. For tests and fuzzers; never called on a hot path.
    std::string CheckInvariants() const;

private:
    // Points are indexed on a 21 x 21 grid with a one-point wall around the board, so that the
    // four neighbours of a board point are always inside the arrays.
    static constexpr int kStride = kBoardSize + 2;
    static constexpr int kArea = kStride * kStride;
    static constexpr int kNeighbour[4] = {-1, 1, -kStride, kStride};  // x-1, x+1, y-1, y+1
    static constexpr uint8_t kWall = 3;
    static constexpr uint16_t kListEnd = 0xFFFF;
    static constexpr int kSlotWords = (kPointCount + 63) / 64;
    using SlotSet = std::array<uint64_t, kSlotWords>;

    static constexpr bool IsPlayerColor(int color) { return color == kBlack || color == kWhite; }
    static constexpr bool OnBoard(int x, int y) {
        return static_cast<unsigned>(x) < kBoardSize && static_cast<unsigned>(y) < kBoardSize;
    }
    static constexpr int Index(int x, int y) { return (y + 1) * kStride + x + 1; }
    static constexpr int XOf(int index) { return index % kStride - 1; }
    static constexpr int YOf(int index) { return index / kStride - 1; }

    // A chain, stored at the index of its root stone. Every stone of the chain has m_root equal
    // to that index; the list runs first -> m_next -> ... -> last in the order the points were
    // listed (a new stone, then each absorbed chain in neighbour order).
    struct Chain {
        uint16_t slot;   // the chain slot number that GetCell reports as `group`
        uint16_t size;   // stones in the chain
        uint16_t libs;   // distinct liberty points next to the chain; meaningful while m_libsValid
        uint16_t first;  // first stone in list order
        uint16_t last;   // last stone in list order
    };
    // Liberty points as bits of the padded index: how a count is made from scratch.
    static constexpr int kLibertyWords = (kArea + 63) / 64;
    using LibertySet = std::array<uint64_t, kLibertyWords>;

    // A point is a liberty when it is empty or holds a stone carrying the captured mark (a setup
    // stone put where a stone was captured counts as empty, as the capture mark says).
    bool IsLibertyPoint(int index) const {
        return m_color[index] == kEmpty || m_mark[index] == kMarkCaptured;
    }
    int LowestFreeSlot(int color) const {
        const SlotSet& free = m_freeSlots[color];
        for (int w = 0; w < kSlotWords; ++w) {
            if (free[w] != 0) return w * 64 + std::countr_zero(free[w]);
        }
        return -1;
    }
    // What a new stone touches: the distinct enemy chains next to it in neighbour order (each
    // one's root and the neighbour point through which it was met), and whether it joined a
    // chain of its own colour.
    struct Contacts {
        int enemyRoots[4];
        int enemyPoints[4];
        int enemyCount = 0;
        bool joined = false;
    };
    // Lists a new stone of `color` at `index` in the lowest free slot, merges its neighbours'
    // chains into it and says what it touches. Callers make sure a slot is free.
    Contacts AddStone(int color, int index);
    // Whether the empty point `index` touches a stone of `color` whose chain root is `root`.
    bool TouchesChain(int index, int color, int root) const {
        for (int d = 0; d < 4; ++d) {
            const int q = index + kNeighbour[d];
            if (m_color[q] == color && m_root[q] == root) return true;
        }
        return false;
    }
    // Removes a chain (capture) and returns its size.
    int RemoveChain(int root);
    bool ChainHasLiberty(int root, int ignoredIndex) const;
    LibertySet ComputeLiberties(int root) const;
    void RebuildLiberties();
    static uint16_t BitCount(const LibertySet& set);
    void LeaveScanModeIfClean();
    bool IsLegalByScan(int color, int index) const;
    void SetMarkOnChain(int root, uint8_t mark);
    void ClearPosition();
    bool RebuildReview(int count);
    void RegionClick(int x, int y);
    int OverrideOwner(int slot);
    void LabelRegions();

    // ---- Position ----
    // Invariants (CheckInvariants recomputes them all):
    // - the stones of one 4-connected same-coloured group share one root, whose Chain lists each
    //   of them exactly once, and no other stone;
    // - a chain's slot is marked used in m_freeSlots of its colour and m_slotRoot leads back to it;
    //   every other slot is free;
    // - while m_libsValid, a root's `libs` counts exactly the distinct liberty points next to the
    //   chain; m_libsValid is false exactly while a stone carries the captured mark
    //   (m_capturedMarkStones > 0), and then liberties are found by scanning.
    std::array<uint8_t, kArea> m_color{};       // kBlack, kWhite, kEmpty, or kWall off the board
    std::array<uint8_t, kArea> m_mark{};        // BoardCell::mark; always 0 on the wall
    std::array<int16_t, kArea> m_moveNumber{};  // meaningful only on stones
    std::array<uint16_t, kArea> m_root{};       // the chain root of a stone; meaningless elsewhere
    std::array<uint16_t, kArea> m_next{};       // next stone of the chain list; meaningless elsewhere
    std::array<Chain, kArea> m_chains{};        // meaningful only at chain roots
    std::array<std::array<uint16_t, kPointCount>, 2> m_slotRoot{};  // used slot -> its chain root
    std::array<SlotSet, 2> m_freeSlots{};       // a set bit marks a free chain slot
    int m_capturedMarkStones = 0;
    bool m_libsValid = true;

    int m_koIndex = -1;  // the point the side to move may not play, or -1
    MoveRecord m_lastMove{};
    int m_sideToMove = kBlack;
    int m_whiteCaptured = 0;  // white stones captured in play (black's prisoners)
    int m_blackCaptured = 0;
    int m_moveCounter = 0;    // stones placed by play since the last reset

    // ---- Game and record ----
    std::vector<MoveRecord> m_moves;
    std::vector<MoveRecord> m_recordMoves;
    int m_recordPos = 0;
    int m_boardMode = 0;
    int m_komi = 55;
    int m_handicap = 0;
    int m_reviewing = 0;
    int m_reviewPos = 0;

    // ---- Counting ----
    // Bumped by every change of a stone or of a dead mark: the region labelling depends on
    // nothing else, so a recount of an unchanged position reuses it and only re-evaluates owners
    // (whose overrides have side effects on every recount).
    uint64_t m_positionVersion = 1;
    uint64_t m_labelledVersion = 0;  // the position version the labelling below belongs to
    std::array<std::array<CountCell, kBoardSize>, kBoardSize> m_countCells{};  // [x][y]
    SlotSet m_usedRegions{};  // region slots that hold points after the last recount
    // Per used region slot: its points as a list over column-major point numbers (x * 19 + y),
    // its size, the owner its borders give it, and the owner currently written on its points.
    std::array<uint16_t, kPointCount> m_regionFirst{};
    std::array<uint16_t, kPointCount> m_regionNext{};
    std::array<uint16_t, kPointCount> m_regionSize{};
    std::array<uint8_t, kPointCount> m_regionBorder{};
    std::array<uint8_t, kPointCount> m_regionSlotOwner{};
    std::array<int, 3> m_ownedPoints{};  // points owned by black, white and nobody (neutral)
    // Owner overrides by region slot (study window): clicks on the slot minus one (-1 never
    // clicked), the owner given to it, and the slot clicked last whose new owner is pending.
    std::array<int, kPointCount> m_regionClicks{};
    std::array<int, kPointCount> m_regionOwner{};
    int m_clickedRegion = -1;
    int m_recountCounter = 0;
    int m_deadWhite = 0;
    int m_deadBlack = 0;
    int m_scoreShown = 0;
};

}  // namespace go
