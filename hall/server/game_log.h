#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/board_types.h"

namespace hall {

// Where the hall server keeps every game as it is played: begun when the rules are agreed, its
// moves and snapshot (clock counters and dead marks included) after every change, and its
// outcome with the ".go" record and the SGF at the end. The archive of the server implements it
// on a database; nothing of a game is kept only in memory.
class GameLog {
public:
    struct Start {
        uint32_t tableId = 0;
        std::string black;  // GBK names
        std::string white;
        std::vector<uint8_t> rules;  // the 29-byte rules record
    };
    struct Finish {
        std::string result;  // as SGF writes it: "B+R", "W+T", "B+3.5", "0", "Void"
        std::vector<uint8_t> record;
        std::string sgf;
        std::vector<uint8_t> snapshot;
    };

    virtual ~GameLog() = default;
    // The game's number in the log.
    virtual int64_t Begin(const Start& start) = 0;
    // The game as it now stands: every move so far (the log keeps only what changed, undone
    // moves included) and the snapshot.
    virtual void Progress(int64_t game, std::span<const go::MoveRecord> moves, const std::vector<uint8_t>& snapshot) = 0;
    virtual void End(int64_t game, const Finish& finish) = 0;
};

}  // namespace hall
