#pragma once

// The rule book of a game at a table: every limit and derived count that the views and the table
// both decide. The views ask it to enable buttons and show the score; the table asks it to accept
// requests and to count. Neither keeps a copy.

#include <array>
#include <span>

#include "match/payloads.h"
#include "record/game_rules.h"
#include "rules/board_types.h"

namespace go {
class Count;
class Game;
}  // namespace go

namespace match {

// Whether a rules record can be played: each term one of the rules dialog's own choices.
bool IsPlayable(const go::GameRules& rules);

// May a player ask for an undo: on his own turn, within the allowance, with two moves to take back.
bool MayAskUndo(const go::GameRules& rules, int undosUsed, int movesPlayed, bool onTurn);
// May a player offer a draw: kMaxDrawOffers a game.
bool MayOfferDraw(int drawsUsed);
// May a player ask to clear the dead stones: kMaxClearRequests a game.
bool MayAskClearing(int clearRequestsUsed);
// May a player resign: from kMovesBeforeResigning moves on.
bool MayResign(int movesPlayed);

// The passes each colour made in the game as its move list holds it (a pass taken back is gone).
std::array<int, 2> PassesByColor(std::span<const go::MoveRecord> moves);

// The count of the game as it stands, with a point less for each pass of the game where passes
// cost a point, never below 0. The count recounts its regions, so it is not const.
ScorePair CountWithPasses(const go::Game& game, go::Count& count, bool passesCostAPoint);

}  // namespace match
