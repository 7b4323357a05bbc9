#pragma once

#include <string>

#include "tests/support/board_parts.h"
#include "tests/support/reference_board.h"

namespace go::testing {

// Everything either board lets a caller observe, compared field by field; returns the first
// difference or an empty string.
std::string FirstDifference(const BoardParts& fast, const ReferenceBoard& ref);

}  // namespace go::testing
