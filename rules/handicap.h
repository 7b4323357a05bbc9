#pragma once

#include <optional>
#include <span>

#include "rules/board_types.h"

namespace go {

// What a handicap type does to a fresh position. Types outside the table are stored by the board
// but change nothing else, which is why the lookup is optional.
struct HandicapLayout {
    std::span<const BoardPoint> stones;  // black setup stones, in placing order
    bool zeroesKomi;
    StoneColor sideToMove;
};

std::optional<HandicapLayout> LookUpHandicap(int type);

}  // namespace go
