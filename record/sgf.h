#pragma once

// SGF (FF[4]), the game format every other Go program reads: a writer for our games and a reader
// that takes anyone's main line and the lines that branch from it. Plain text in, plain text out;
// no files here.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rules/board_types.h"

namespace go {

struct SgfGame {
    std::string charset;                 // CA as read, empty when absent; WriteSgf writes UTF-8 whatever it holds
    int komiTenths = 0;                  // KM, in tenths of a point
    int handicap = 0;                    // HA
    std::vector<BoardPoint> blackSetup;  // AB: the handicap stones, or any setup
    std::vector<BoardPoint> whiteSetup;  // AW
    std::array<std::string, 2> names;    // PB, PW: UTF-8 when written; as read, in `charset`
    std::string result;                  // RE, when known; like the names
    int mainTimeSeconds = -1;            // TM; -1 when not given
    std::string overtime;                // OT, e.g. "3x30 byo-yomi"
    std::vector<MoveRecord> moves;       // the main line; a pass has no coordinates
    // A line that leaves the main line after its first `from` moves. One that leaves after the
    // last move has nothing to branch from: it is written as the main line's continuation. The
    // reader gives neither such lines nor empty ones, in the order of the text.
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

enum class SgfReadError {
    None,
    TooLarge,              // more than 16 MB
    NoGameTree,            // the text does not begin with '(' (after white space)
    NotNineteen,           // SZ names another board
    UnterminatedValue,     // a '[' without its ']'
    PropertyWithoutValue,  // a property name not followed by '['
    PointOffTheBoard,      // a move or a setup point outside 19 x 19
};

struct SgfReadResult {
    bool ok = false;
    SgfReadError errorKind = SgfReadError::None;
    size_t errorOffset = 0;  // where in the text the error lies, when not ok
    std::string error;       // why not, for diagnostics
    // False when the text ended inside the game tree: the moves before the end are kept, as a
    // file cut short by a failed copy still holds a game worth having.
    bool complete = true;
    SgfGame game;  // comments and markup are passed over
};

// Reads the first game of a collection: the main line follows the first branch wherever the tree
// branches, and each other branch off the main line is a variation, itself followed along its
// first branches (branches of variations are passed over). Root properties count on the main
// line only. Accepts FF[3] habits (lowercase letters in property names, passes as "tt") and skips
// stray characters between nodes; refuses boards other than 19 x 19, unterminated values and
// points off the board. Nesting depth costs heap, never stack.
SgfReadResult ReadSgf(std::string_view text);

}  // namespace go
