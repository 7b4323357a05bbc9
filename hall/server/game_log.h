#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hall/protocol/archived_game.h"
#include "rules/board_types.h"

namespace hall {

// Where the hall server keeps every game as it is played: begun when the rules are agreed, its
// moves and snapshot (clock counters and dead marks included) after every change, and its
// outcome with the ".go" record and the SGF at the end. The archive of the server implements it
// on a database; nothing of a game is kept only in memory. Remote halls read it back.
class GameLog {
public:
    struct Start {
        uint32_t tableId = 0;
        std::string black;  // GBK names
        std::string white;
        std::vector<uint8_t> rules;  // the 29-byte rules record
        // What the server needs to take the game up again after a stop: the table's password
        // and the resume tokens of the players' connections, as bytes.
        std::string password;
        std::string blackToken;
        std::string whiteToken;
    };
    // A game that was running when the server stopped, with its last snapshot.
    struct Unfinished {
        int64_t id = 0;
        Start start;
        std::vector<uint8_t> snapshot;
    };
    struct Finish {
        std::string result;  // as SGF writes it: "B+R", "W+T", "B+3.5", "0", "Void"
        std::vector<uint8_t> record;
        std::string sgf;
        std::vector<uint8_t> snapshot;
    };

    // One game as the log lists it.
    using Entry = ArchivedGameEntry;

    virtual ~GameLog() = default;
    // The game's number in the log.
    virtual int64_t Begin(const Start& start) = 0;
    // The game as it now stands: every move so far (the log keeps only what changed, undone
    // moves included) and the snapshot.
    virtual void Progress(int64_t game, std::span<const go::MoveRecord> moves, const std::vector<uint8_t>& snapshot) = 0;
    virtual void End(int64_t game, const Finish& finish) = 0;

    // The games begun and not ended, oldest first.
    virtual std::vector<Unfinished> Running() const = 0;
    // The last `count` games, newest first.
    virtual std::vector<Entry> Recent(int count) const = 0;
    // A finished game's ".go" record and SGF.
    virtual std::optional<std::vector<uint8_t>> Record(int64_t game) const = 0;
    virtual std::optional<std::string> Sgf(int64_t game) const = 0;
};

}  // namespace hall
