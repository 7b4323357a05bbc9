#pragma once

// Between our ".go" record and SGF: a saved game as SGF for other programs, and another program's
// SGF as a record our board can replay. Bytes and text in, values out; no files here.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "record/game_record.h"
#include "record/sgf.h"
#include "rules/board_types.h"

namespace go {

// The game of a record: its rules (the komi the game was counted with, the handicap as HA and its
// stones as AB, the main time, the byo-yomi as "3x30 byo-yomi"), the names in UTF-8, `result` as
// RE when not empty, and the moves as the rules replay them: the list ends before the first
// whole move the rules refuse, as the record's loader stops there.
SgfGame SgfFromRecord(const GameRecordHeader& header, std::span<const uint8_t> moveBytes, std::string result = {});

// Adds `line`, a whole game's moves from the first (such as a saved breakpoint), as a variation
// leaving the main line where it first differs from it. A line the main line already holds adds
// nothing, and neither does one a variation holds; one that goes on from an existing variation
// lengthens it.
void AddVariation(SgfGame& game, std::span<const MoveRecord> line);

struct RecordFromSgfResult {
    bool ok = false;
    // For the user, in UTF-8: why not when !ok; when ok, what was left out or cut (one notice a
    // line), or empty.
    std::string message;
    GameRecordHeader header;        // names in GBK, each fitting its record field whole
    std::vector<uint8_t> moveBytes; // 3-byte records, every one of which the rules accept in turn
    std::string result;             // RE in UTF-8, empty when not given
};

// The main line of an SGF game as a record. Only 19 x 19 games with at least one move load. Setup
// stones that are a handicap layout become that handicap; other setup stones cannot be held by
// the record: the moves are loaded without them and the message says so. Moves stop before the
// first one the rules refuse, with a notice.
RecordFromSgfResult RecordFromSgf(std::string_view text);

}  // namespace go
