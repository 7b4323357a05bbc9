#pragma once

// The hall's full picture of a table as a view receives it: a 97-byte head (seats, state, clock
// and request counters, the rules), the move list, and in the marking state the dead stones.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "record/game_rules.h"
#include "rules/board_types.h"

namespace match {

namespace snapshot_layout {
constexpr size_t kBlackSeat = 0;        // u16
constexpr size_t kState = 2;            // u16
constexpr size_t kMainTimeUsed = 4;     // 2 x i32, seat 0 then seat 1; so are all pairs below
// Bytes 12..19 are the hall's own. This table writes its clock and terms there, marked as its own;
// a view takes them only with the mark.
constexpr size_t kPeriodLeft = 12;      // i32: seconds left in the running period of the side to move
constexpr size_t kTableTerms = 16;      // u32: kTableTermsMark with the TableTerm bits
constexpr size_t kRequestPending = 20;  // a clearing or counting request awaits an answer
constexpr size_t kUndoPending = 28;
constexpr size_t kDrawsUsed = 36;
constexpr size_t kClearRequestsUsed = 44;
constexpr size_t kTimeoutsUsed = 52;
constexpr size_t kUndosUsed = 60;
constexpr size_t kRules = 68;
constexpr size_t kHeadSize = 97;        // the move count follows
static_assert(kRules + go::kGameRulesSize == kHeadSize);
static_assert(kUndosUsed + 8 == kRules);
}  // namespace snapshot_layout

using SeatPair = std::array<int32_t, 2>;  // indexed by seat

constexpr uint32_t kTableTermsMark = 0x47540000;  // the high half says this table wrote both words
constexpr uint32_t kTableTermsMarkMask = 0xFFFF0000;
// The table's terms a view cannot know from the rules record.
enum TableTerm : uint32_t {
    kPassesCostAPoint = 0x1,
};

struct MatchSnapshot {
    uint16_t blackSeat = 0;
    uint16_t state = 0;  // a MatchState
    SeatPair mainTimeUsed{};
    int32_t periodLeft = 0;
    uint32_t tableTerms = 0;
    SeatPair requestPending{};
    SeatPair undoPending{};
    SeatPair drawsUsed{};
    SeatPair clearRequestsUsed{};
    SeatPair timeoutsUsed{};
    SeatPair undosUsed{};
    go::GameRules rules;
    std::vector<go::MoveRecord> moves;
    // Travels only in state 2: each entry a byte nobody reads (kept in `color`), column, row.
    std::vector<go::MoveRecord> dead;
    // Whether this table wrote the clock and terms words (a hall of another kind may fill them
    // with anything).
    bool FromThisTable() const { return (tableTerms & kTableTermsMarkMask) == kTableTermsMark; }
    friend bool operator==(const MatchSnapshot&, const MatchSnapshot&) = default;
};

enum class SnapshotError {
    None,
    ShorterThanHead,
    MovesPastEnd,   // the move count or the moves run past the bytes
    DeadPastEnd,    // state 2, and the dead count or the dead stones run past the bytes
    UnknownState,   // a state other than 0..3
};

struct ParsedSnapshot {
    SnapshotError error = SnapshotError::None;
    size_t errorOffset = 0;  // where the bytes ran out or the bad field starts
    MatchSnapshot snapshot;
    bool ok() const { return error == SnapshotError::None; }
};

// Bytes after the lists are allowed and ignored.
ParsedSnapshot ParseSnapshot(std::span<const uint8_t> bytes);
// The dead list is written only in state 2.
std::vector<uint8_t> EncodeSnapshot(const MatchSnapshot& snapshot);

// The 40-byte game result of OnGameOver: a 20-byte half per seat whose first 4 bytes are the
// points that seat won or lost; the rest is not read.
constexpr size_t kGameResultSize = 40;
constexpr size_t kGameResultHalf = 20;
SeatPair DecodeGameResult(std::span<const uint8_t, kGameResultSize> bytes);
std::array<uint8_t, kGameResultSize> EncodeGameResult(const SeatPair& points);

}  // namespace match
