#include "match/table_rules.h"

#include <algorithm>

#include "match/match_types.h"
#include "record/rules_choices.h"
#include "rules/count.h"
#include "rules/game.h"
#include "rules/score_text.h"

namespace match {
namespace {

template <typename List>
bool OneOf(const List& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

bool IsPlayable(const go::GameRules& r) {
    namespace choices = go::rules_choices;
    return OneOf(choices::kHandicapValues, r.handicap) && OneOf(choices::kKomiValues, r.komi) &&
           OneOf(choices::kMainTimeValues, r.mainTime) && OneOf(choices::kByoyomiSecondsValues, r.byoyomiSeconds) &&
           OneOf(choices::kByoyomiCountValues, r.byoyomiCount) && OneOf(choices::kUndoValues, r.undoAllowance) &&
           r.side <= 1;
}

bool MayAskUndo(const go::GameRules& rules, int undosUsed, int movesPlayed, bool onTurn) {
    return onTurn && rules.undoAllowance > 0 && undosUsed < rules.undoAllowance && movesPlayed >= 2;
}

bool MayOfferDraw(int drawsUsed) { return drawsUsed < kMaxDrawOffers; }

bool MayAskClearing(int clearRequestsUsed) { return clearRequestsUsed < kMaxClearRequests; }

bool MayResign(int movesPlayed) { return movesPlayed >= kMovesBeforeResigning; }

std::array<int, 2> PassesByColor(std::span<const go::MoveRecord> moves) {
    std::array<int, 2> passes{};
    for (const go::MoveRecord& m : moves) {
        if (m.isPass() && (m.color == go::kBlack || m.color == go::kWhite)) ++passes[m.color];
    }
    return passes;
}

ScorePair CountWithPasses(const go::Game& game, go::Count& count, bool passesCostAPoint) {
    const int black = count.Score(game, go::kBlack);
    const int white = count.Score(game, go::kWhite);
    const std::array<int, 2> passes = passesCostAPoint ? PassesByColor(game.moves()) : std::array<int, 2>{};
    return {go::ScoreAfterPasses(black, passes[go::kBlack]), go::ScoreAfterPasses(white, passes[go::kWhite])};
}

}  // namespace match
