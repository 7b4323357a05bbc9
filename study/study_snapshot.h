#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "record/game_rules.h"

namespace study {

// One breakpoint of the study window: the study rules and the moves of that moment, copied by
// value. The move array has a fixed size, so a snapshot holds at most kMaxMoves moves; of a
// longer game it keeps the first kMaxMoves.
struct StudySnapshot {
    static constexpr int kMoveBytes = 8192;
    static constexpr int kMaxMoves = kMoveBytes / 3;  // 2730

    go::GameRules rules;
    int32_t moveCount = 0;
    std::array<uint8_t, kMoveBytes> moves{};  // moveCount records of colour, column, row

    // A snapshot of `rules` and the 3-byte move records `moveBytes` (a trailing partial record
    // is left out).
    static StudySnapshot Take(const go::GameRules& rules, std::span<const uint8_t> moveBytes);
    std::span<const uint8_t> MoveBytes() const { return std::span(moves).first(static_cast<size_t>(moveCount) * 3); }
};

}  // namespace study
