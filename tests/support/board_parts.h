#pragma once

// The rules engine's parts as one user holds them (a game, its count, a replay cursor over it),
// driven under the operation names of the reference transcription, so that the lockstep and
// differential checks apply one operation to both alike.

#include <cstdint>
#include <span>
#include <vector>

#include "rules/count.h"
#include "rules/game.h"
#include "rules/replay_cursor.h"

namespace go::testing {

struct BoardParts {
    BoardParts() = default;
    BoardParts(const BoardParts&) = delete;
    BoardParts& operator=(const BoardParts&) = delete;

    // The reference board takes any int; a number that is no byte stays one the engine refuses
    // rather than wrapping into a colour.
    static StoneColor AsColor(int color) {
        return static_cast<unsigned>(color) <= 0xFF ? static_cast<StoneColor>(color) : static_cast<StoneColor>(2);
    }

    bool IsLegalMove(int color, int x, int y) const { return game.IsLegalMove(AsColor(color), x, y); }
    bool Play(int color, int x, int y) { return game.Play(AsColor(color), x, y); }
    void PlaceSetupStone(int color, int x, int y) { game.position().PlaceSetupStone(AsColor(color), x, y); }
    void Restart(int handicap, int komi) { game.Restart(handicap, komi); }
    void SetKomi(int komi) { game.SetKomi(komi); }
    bool Undo() { return game.Undo(); }
    BoardCell GetCell(int x, int y) const { return game.position().GetCell(x, y); }
    bool GetLastMove(MoveRecord& out) const { return game.position().GetLastMove(out); }
    StoneColor GetSideToMove() const { return game.GetSideToMove(); }
    int PlayedCount() const { return game.PlayedCount(); }
    std::vector<uint8_t> SaveMoves() const { return game.SaveMoves(); }
    void LoadRecord(std::span<const uint8_t> bytes) { cursor.LoadRecord(WholeMoves(bytes)); }
    bool ReplayRecord(int n) { return cursor.ReplayRecord(n); }
    void SetReviewing(bool on) { cursor.SetReviewing(on); }
    bool IsReviewing() const { return cursor.IsReviewing(); }
    bool ReviewBack() { return cursor.Back(); }
    bool ReviewForward() { return cursor.Forward(); }
    bool ReviewGoTo(int n) { return cursor.GoTo(n); }
    bool ReviewEnd() { return cursor.End(); }
    bool MarkDead(int x, int y, RegionClicks clicks) { return count.MarkDead(game.position(), x, y, clicks); }
    void UnmarkDead(int x, int y) { game.position().UnmarkChainDead(x, y); }
    void Recount() { count.Recount(game.position()); }
    int Territory(int color) { return count.Territory(game.position(), color); }
    int Score(int color) { return count.Score(game, AsColor(color)); }
    void ClearRegionClicks() { count.ClearRegionClicks(); }
    int deadBlack() const { return count.deadBlack(); }
    int deadWhite() const { return count.deadWhite(); }
    std::vector<uint16_t> chainPoints(int color, int slot) const { return game.position().chainPoints(AsColor(color), slot); }

    Game game;
    Count count;
    ReplayCursor cursor{game};
};

}  // namespace go::testing
