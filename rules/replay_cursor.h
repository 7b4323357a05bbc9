#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "rules/board_types.h"
#include "rules/game.h"

namespace go {

// A way back through a game without losing it: the review shows the stones after the first n
// moves while the list stays whole, and a loaded record is replayed onto the game up to an entry.
// The review ends by itself when the game's list is rebuilt from the start (a restart, an undo,
// a replay), since the moment it showed is gone.
class ReplayCursor {
public:
    explicit ReplayCursor(Game& game) : m_game(game) {}
    ReplayCursor(const ReplayCursor&) = delete;
    ReplayCursor& operator=(const ReplayCursor&) = delete;

    // ---- Review of the game's moves ----
    // Turning it on starts at the end of the list.
    void SetReviewing(bool on);
    bool IsReviewing() const { return m_reviewing && m_reviewRestarts == m_game.restarts(); }
    int reviewPos() const { return m_reviewPos; }
    bool Back();
    bool Forward();  // stops one short of the end: the end is GoTo(count) or End
    bool GoTo(int n);
    // Leaves the review and shows the whole game again.
    bool End();

    // ---- A loaded record ----
    // Replaces the loaded record.
    void LoadRecord(std::vector<MoveRecord> moves) { m_recordMoves = std::move(moves); }
    // Makes entries 0..n of the loaded record the game's moves; false past its end or at the first
    // entry the rules refuse (the game then holds the entries before it).
    bool ReplayRecord(int n);
    const std::vector<MoveRecord>& recordMoves() const { return m_recordMoves; }

private:
    Game& m_game;
    bool m_reviewing = false;
    uint64_t m_reviewRestarts = 0;  // the game's restarts when the review began
    int m_reviewPos = 0;
    std::vector<MoveRecord> m_recordMoves;
};

}  // namespace go
