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

    bool IsLegalMove(int color, int x, int y) const { return game.IsLegalMove(color, x, y); }
    bool Play(int color, int x, int y) { return game.Play(color, x, y); }
    void PlaceSetupStone(int color, int x, int y) { game.position().PlaceSetupStone(color, x, y); }
    void Restart(int handicap, int komi) { game.Restart(handicap, komi); }
    void SetKomi(int komi) { game.SetKomi(komi); }
    bool Undo() { return game.Undo(); }
    BoardCell GetCell(int x, int y) const { return game.position().GetCell(x, y); }
    bool GetLastMove(MoveRecord& out) const { return game.position().GetLastMove(out); }
    int GetSideToMove() const { return game.GetSideToMove(); }
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
    int Score(int color) { return count.Score(game, color); }
    void ClearRegionClicks() { count.ClearRegionClicks(); }
    int deadBlack() const { return count.deadBlack(); }
    int deadWhite() const { return count.deadWhite(); }
    std::vector<uint16_t> chainPoints(int color, int slot) const { return game.position().chainPoints(color, slot); }

    Game game;
    Count count;
    ReplayCursor cursor{game};
};

}  // namespace go::testing
