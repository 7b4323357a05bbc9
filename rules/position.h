#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/board_types.h"

namespace go {

// The stones of a 19 x 19 board: chains, liberties, captures, simple ko, and the marks that the
// count and the captures leave on points. It knows nothing of turns, moves or komi: Game plays on
// it, Count reads it. Plain data, no window, no thread.
//
// Observable numbering follows one fixed procedure and must not drift: chain slots (GetCell's
// `group`) are taken lowest free first per colour, a new stone takes a fresh slot and absorbs its
// same-coloured neighbours' chains in neighbour order (x-1, x+1, y-1, y+1); count regions are
// numbered by the labelling pass of Count::Recount. Internally chains are linked lists with
// their liberty counts at their roots, so that a legality test is a handful of loads.
class Position {
public:
    Position();

    // ---- Stones ----
    // Whether a stone of `color` may go on (x, y): on the board, empty, not the ko point, and
    // keeping a liberty or capturing. Whose turn it is, and passes, are the game's business.
    bool IsLegal(StoneColor color, int x, int y) const {
        if (!IsPlayerColor(color) || !OnBoard(x, y)) return false;
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
    // Puts a stone of `color` on (x, y) and takes the chains it leaves without a liberty; false and
    // no change when IsLegal refuses it.
    bool Play(StoneColor color, int x, int y);
    // Puts a handicap or setup stone without any rule check; ignored on bad colours, off the board
    // and on occupied points.
    void PlaceSetupStone(StoneColor color, int x, int y);
    // An empty board.
    void Clear();
    BoardCell GetCell(int x, int y) const {
        if (!OnBoard(x, y)) return BoardCell{kEmpty, kOffBoardGroup, kMarkNone, 0};
        const int index = Index(x, y);
        if (m_color[index] == kEmpty) return BoardCell{kEmpty, kNoGroup, m_mark[index], 0};
        return BoardCell{m_color[index], m_chains[m_root[index]].slot, m_mark[index], m_moveNumber[index]};
    }
    // GetCell(x, y).color without the rest: one load on the board.
    StoneColor ColorAt(int x, int y) const { return OnBoard(x, y) ? m_color[Index(x, y)] : kEmpty; }
    // The last stone put on the board, by play or setup; false before any.
    bool GetLastMove(MoveRecord& out) const;
    BoardPoint koPoint() const;
    int whiteCaptured() const { return m_whiteCaptured; }  // white stones taken: black's prisoners
    int blackCaptured() const { return m_blackCaptured; }
    int moveCounter() const { return m_moveCounter; }      // stones played since the last Clear
    // The packed points of chain slot `slot` of `color` in list order; empty for a free slot.
    std::vector<uint16_t> chainPoints(StoneColor color, int slot) const;

    // ---- Marks ----
    // Marks the chain at (x, y) dead for the count; false on an empty point or a stone that
    // carries a mark already.
    bool MarkChainDead(int x, int y);
    // Takes the dead mark off the chain at (x, y); nothing elsewhere.
    void UnmarkChainDead(int x, int y);

    // Recomputes every derived structure from the stones and returns the first broken rule, or an
    // empty string. For tests and fuzzers; never called on a hot path.
    std::string CheckInvariants() const;

private:
    friend class Count;  // labels regions straight from the point arrays below

    // Points are indexed on a 21 x 21 grid with a one-point wall around the board, so that the
    // four neighbours of a board point are always inside the arrays.
    static constexpr int kStride = kBoardSize + 2;
    static constexpr int kArea = kStride * kStride;
    static constexpr int kNeighbour[4] = {-1, 1, -kStride, kStride};  // x-1, x+1, y-1, y+1
    static constexpr StoneColor kWall = static_cast<StoneColor>(3);
    static constexpr uint16_t kListEnd = 0xFFFF;
    static constexpr int kSlotWords = (kPointCount + 63) / 64;
    using SlotSet = std::array<uint64_t, kSlotWords>;

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
    int LowestFreeSlot(StoneColor color) const {
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
    Contacts AddStone(StoneColor color, int index);
    // Whether the empty point `index` touches a stone of `color` whose chain root is `root`.
    bool TouchesChain(int index, StoneColor color, int root) const {
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
    bool IsLegalByScan(StoneColor color, int index) const;
    void SetMarkOnChain(int root, uint8_t mark);

    // ---- Position ----
    // Invariants (CheckInvariants recomputes them all):
    // - the stones of one 4-connected same-coloured group share one root, whose Chain lists each
    //   of them exactly once, and no other stone;
    // - a chain's slot is marked used in m_freeSlots of its colour and m_slotRoot leads back to it;
    //   every other slot is free;
    // - while m_libsValid, a root's `libs` counts exactly the distinct liberty points next to the
    //   chain; m_libsValid is false exactly while a stone carries the captured mark
    //   (m_capturedMarkStones > 0), and then liberties are found by scanning.
    std::array<StoneColor, kArea> m_color{};       // kBlack, kWhite, kEmpty, or kWall off the board
    std::array<uint8_t, kArea> m_mark{};        // BoardCell::mark; always 0 on the wall
    std::array<int16_t, kArea> m_moveNumber{};  // meaningful only on stones
    std::array<uint16_t, kArea> m_root{};       // the chain root of a stone; meaningless elsewhere
    std::array<uint16_t, kArea> m_next{};       // next stone of the chain list; meaningless elsewhere
    std::array<Chain, kArea> m_chains{};        // meaningful only at chain roots
    std::array<std::array<uint16_t, kPointCount>, 2> m_slotRoot{};  // used slot -> its chain root
    std::array<SlotSet, 2> m_freeSlots{};       // a set bit marks a free chain slot
    int m_capturedMarkStones = 0;
    bool m_libsValid = true;

    // Distinct for every position made, each copy included: with m_changes, bumped by every change
    // of a stone or a mark, it tells a count that it has labelled these very stones before.
    struct Identity {
        Identity() : value(Next()) {}
        Identity(const Identity&) : value(Next()) {}
        Identity& operator=(const Identity&) {
            value = Next();
            return *this;
        }
        static uint64_t Next();
        uint64_t value;
    };
    Identity m_identity;
    uint64_t m_changes = 0;

    int m_koIndex = -1;  // the point the next stone may not take, or -1
    MoveRecord m_lastMove{};
    int m_whiteCaptured = 0;
    int m_blackCaptured = 0;
    int m_moveCounter = 0;
};

}  // namespace go
