#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "record/game_rules.h"
#include "rules/game.h"

namespace go {

// Rebuilds `game` from a saved game: the rules' komi, then its handicap (which zeroes the komi for
// one stone or more), then every whole move of `moveBytes` that the rules accept. Returns false
// when a move was refused (the game then holds the moves before it).
bool ReplayRecordOnBoard(Game& game, const GameRules& rules, std::span<const uint8_t> moveBytes);

// What a loader tells the user when a record's replay stopped after `kept` moves (UTF-8).
std::string ReplayCutNotice(int kept);

}  // namespace go
