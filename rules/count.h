#pragma once

#include <array>
#include <cstdint>

#include "rules/board_types.h"
#include "rules/game.h"
#include "rules/position.h"

namespace go {

// The count of a position: the chains marked dead, the empty regions and their owners, the
// study window's owner overrides, and the score. The dead marks are on the position; the rest is
// this count's, as the last Recount left it.
//
// Region numbers follow the labelling procedure exactly (they are the keys of the overrides):
// walking x outer, y inner, each empty point takes the lowest free slot and then absorbs the
// region of (x-1, y) and that of (x, y-1), freeing their slots.
class Count {
public:
    Count();

    // Marks the chain at (x, y) dead and says whether it did. With region clicks on, a point that
    // the last count saw empty clicks its region's owner instead (the study window).
    bool MarkDead(Position& position, int x, int y, RegionClicks clicks);
    void Recount(const Position& position);
    // The points owned by `owner` (kOwnerBlack, kOwnerWhite, kOwnerNeutral), or with kOwnerNone
    // the points owned by nobody; recounts first.
    int Territory(const Position& position, int owner);
    // Territory plus prisoners in tenths of a point; komi is taken from black. Recounts first.
    int Score(const Game& game, StoneColor color);
    // Forgets every region-owner override and the pending click (leaving the count).
    void ClearRegionClicks();

    // The position as last counted; x and y below 19.
    const CountCell& countCell(int x, int y) const { return m_countCells[x][y]; }
    int deadWhite() const { return m_deadWhite; }
    int deadBlack() const { return m_deadBlack; }
    int clickedRegion() const { return m_clickedRegion; }
    // The override state of region slot `slot`, below 361.
    int regionClicks(int slot) const { return m_regionClicks[slot]; }
    int regionOwner(int slot) const { return m_regionOwner[slot]; }
    // Recounts that have seen the pending region click: the second commits it (black's and
    // white's score of one display).
    int recountCounter() const { return m_recountCounter; }

private:
    using SlotSet = std::array<uint64_t, Position::kSlotWords>;

    void LabelRegions(const Position& position);
    void RegionClick(int x, int y);
    int OverrideOwner(int slot);

    // The position and its changes that the labelling below was made from: the labelling depends
    // on nothing else, so a recount of an unchanged position reuses it and only re-evaluates
    // owners (whose overrides have side effects on every recount). No position is number 0.
    uint64_t m_labelledIdentity = 0;
    uint64_t m_labelledChanges = 0;
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
};

}  // namespace go
