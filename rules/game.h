#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "rules/board_types.h"
#include "rules/position.h"

namespace go {

// A game on the board: its handicap and komi, the moves in order and whose turn it is. Every move
// goes through Play, so that the stones and the list never part; undo and the replay cursor
// rebuild the stones from the list.
class Game {
public:
    // Whether `color` may play (x, y), or pass at (255, 255), now.
    bool IsLegalMove(StoneColor color, int x, int y) const {
        if (color != m_sideToMove) return false;
        if (x == kNoCoord && y == kNoCoord) return true;
        return m_position.IsLegal(color, x, y);
    }
    // Plays a stone or, at (255, 255), a pass for the side to move and lists it; false and no
    // change when illegal.
    bool Play(StoneColor color, int x, int y) {
        if (!PlayOnBoard(color, x, y)) return false;
        m_moves.push_back(MoveRecord{color, static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        return true;
    }
    // A new game: an empty board and list, then `komi` (clamped to +-kMaxKomi) and the handicap's
    // stones and first player. A handicap layout may set komi to zero; types without a layout are
    // kept but put no stone.
    void Restart(int handicap, int komi);
    // Clamped to +-kMaxKomi.
    void SetKomi(int komi) { m_komi = ClampKomi(komi); }
    // Takes the last move back by replaying the others from the start; false with no moves, or
    // where the rules refuse a replayed move (the list then ends before it).
    bool Undo();
    // The game from its start with `moves` instead of its list; false at the first move the rules
    // refuse, the list then holding the moves before it.
    bool Replay(std::span<const MoveRecord> moves);
    // Shows the stones after the first `count` moves of the list (all of them when it is shorter),
    // keeping the list; false where the rules refuse a replayed move.
    bool ShowFirst(int count);

    const Position& position() const { return m_position; }
    // For dead marks and setup stones; moves go on only through Play.
    Position& position() { return m_position; }
    StoneColor GetSideToMove() const { return m_sideToMove; }
    int komi() const { return m_komi; }
    int handicap() const { return m_handicap; }
    const std::vector<MoveRecord>& moves() const { return m_moves; }
    int PlayedCount() const { return static_cast<int>(m_moves.size()); }
    // `moves` as consecutive 3-byte records; the size is 3 x PlayedCount().
    std::vector<uint8_t> SaveMoves() const;
    // Bumped whenever the list is rebuilt from the start (Restart, Undo, Replay): what a replay
    // cursor checks to know that the moment it showed is gone.
    uint64_t restarts() const { return m_restarts; }

private:
    bool PlayOnBoard(StoneColor color, int x, int y) {
        if (color != m_sideToMove) return false;
        const bool pass = x == kNoCoord && y == kNoCoord;
        if (!pass && !m_position.Play(color, x, y)) return false;
        m_sideToMove = Opponent(m_sideToMove);
        return true;
    }
    // The handicap's stones and first player on an empty board.
    void SetUpStart();

    Position m_position;
    std::vector<MoveRecord> m_moves;
    StoneColor m_sideToMove = kBlack;
    int m_komi = 55;
    int m_handicap = 0;
    uint64_t m_restarts = 0;
};

// The whole 3-byte move records of `bytes`, as SaveMoves writes them; 1 or 2 trailing bytes are
// ignored.
std::vector<MoveRecord> WholeMoves(std::span<const uint8_t> bytes);

}  // namespace go
