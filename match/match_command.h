#pragma once

#include <cstdint>

namespace match {

// The numbered match commands between the views and the hall. Only the low 8 bits of a number
// travel: each edge where a number comes in decodes it once (DecodeCommand), and everything
// inside passes the command.
enum class MatchCommand : uint8_t {
    StoneMove = 1,
    DeadStoneMark = 4,
    RulesProposal = 8,
    TimeOut = 9,
    DrawRequest = 11,
    DrawAnswer = 12,
    Resign = 13,
    RulesRefused = 16,
    SnapshotRefusedInGame = 17,
    RulesAccepted = 18,
    SnapshotRefused = 19,
    RefereeVerdict = 20,
    FixedRules = 21,
    MatchOverNotice = 22,
    PassMove = 23,
    MainTimeOver = 24,
    UndoRequest = 25,
    ErrorText = 26,
    ClearDeadRequest = 32,
    ClearDeadAnswer = 33,
    ContinueGame = 34,
    UndoAnswer = 35,
    CountRequest = 36,
    CountAnswer = 37,
    CountResult = 38,
    ForcedCount = 39,
};

// The command a number names: its low 8 bits. A number naming none above decodes all the same, to
// be ignored by whoever has no handler for it.
constexpr MatchCommand DecodeCommand(int number) { return static_cast<MatchCommand>(number & 0xFF); }
// The number a command travels as.
constexpr int CommandNumber(MatchCommand command) { return static_cast<int>(command); }

// How a view takes an arriving command's length.
enum class LengthRule {
    NotHandled,  // the view has no handler: the command is ignored
    Exact,       // exactly `length` bytes, or the command is ignored
    AtLeast,     // taken without a length test, but never read past: shorter payloads are ignored
};

struct ArrivalRule {
    LengthRule rule = LengthRule::NotHandled;
    int length = 0;
    // Whether a payload of `size` bytes is taken.
    bool Accepts(int size) const {
        switch (rule) {
            case LengthRule::Exact: return size == length;
            case LengthRule::AtLeast: return size >= length;
            case LengthRule::NotHandled: return false;
        }
        return false;
    }
};

// The rule for an arriving command.
ArrivalRule ArrivalRuleFor(MatchCommand command);

}  // namespace match
