#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "record/game_rules.h"
#include "rules/go_board.h"

namespace go {

// Rebuilds `board` from a saved game: the rules' komi, then its handicap (which zeroes the komi
// for one stone or more), then every whole move of `moveBytes` that the rules accept, in play mode.
// The loaded record stays on the board for navigation; recordPos names its last entry. Returns
// false when a move was refused (the position then shows the moves before it).
bool ReplayRecordOnBoard(GoBoard& board, const GameRules& rules, std::span<const uint8_t> moveBytes);

// What a loader tells the user when a record's replay stopped after `kept` moves (UTF-8).
std::string ReplayCutNotice(int kept);

}  // namespace go
