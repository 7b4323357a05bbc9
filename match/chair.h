#pragma once

#include <optional>

namespace match {

// A player's chair at a table, 0 or 1, as seat numbers carry it; onlookers sit in none (any
// other number).
constexpr bool IsChair(int seat) { return seat == 0 || seat == 1; }
// The chair across the table.
constexpr int OtherChair(int chair) { return 1 - chair; }
// A seat number read as a chair: nothing for an onlooker's.
constexpr std::optional<int> ChairOf(int seat) { return IsChair(seat) ? std::optional<int>(seat) : std::nullopt; }

}  // namespace match
