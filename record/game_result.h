#pragma once

#include <string>

namespace go {

// How a game ended, as a result is written: SGF's RE ("B+R", "W+T", "B+F", "W+3.5", "0").
enum class GameEndKind {
    Count,        // both sides counted, or one forced the count
    Resignation,
    Time,         // the loser's last byo-yomi period ran out
    Forfeit,      // the loser left the game, or stayed away past the grace period
    Draw,         // agreed
    Unstated,     // a winner without a way of winning that the result can name (a referee's verdict)
};

struct GameResult {
    GameEndKind kind = GameEndKind::Unstated;
    int winner = -1;  // kBlack, kWhite, or -1 for neither
    int margin = 0;   // tenths of a point, with a count
    friend bool operator==(const GameResult&, const GameResult&) = default;
};

// The result as SGF writes it: a draw, and a count without a winner, are "0"; a count gives the
// margin with its tenths ("B+3.5", "W+12.0").
std::string SgfResultText(const GameResult& result);

}  // namespace go
