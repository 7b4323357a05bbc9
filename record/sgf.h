#pragma once

// SGF (FF[4]), the game format every other Go program reads: a writer for our games and a reader
// that takes the main line of anyone's. Plain text in, plain text out; no files here.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rules/board_types.h"

namespace go {

struct SgfGame {
    int komiTenths = 0;                  // KM, in tenths of a point
    int handicap = 0;                    // HA
    std::vector<BoardPoint> blackSetup;  // AB: the handicap stones, or any setup
    std::vector<BoardPoint> whiteSetup;  // AW
    std::array<std::string, 2> names;    // PB, PW (UTF-8)
    std::string result;                  // RE, when known
    int mainTimeSeconds = -1;            // TM; -1 when not given
    std::string overtime;                // OT, e.g. "3x30 byo-yomi"
    std::vector<MoveRecord> moves;       // the main line; a pass has no coordinates
    // A line that leaves the main line after its first `from` moves. One that leaves after the
    // last move has nothing to branch from: it is written as the main line's continuation.
    struct Variation {
        size_t from = 0;
        std::vector<MoveRecord> moves;
        friend bool operator==(const Variation&, const Variation&) = default;
    };
    std::vector<Variation> variations;
    friend bool operator==(const SgfGame&, const SgfGame&) = default;
};

// A whole game tree: the root's properties, the main line, each variation as a branch.
std::string WriteSgf(const SgfGame& game);

struct SgfReadResult {
    bool ok = false;
    std::string error;  // why not, when not
    SgfGame game;       // the main line; variations, comments and markup are passed over
};

// Reads the first game of a collection, following the first branch wherever the tree branches.
// Accepts FF[3] habits (lowercase letters in property names, passes as "tt"); refuses boards
// other than 19 × 19, unterminated values and points off the board.
SgfReadResult ReadSgf(std::string_view text);

}  // namespace go
