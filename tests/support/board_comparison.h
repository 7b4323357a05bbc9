#pragma once

#include <string>

#include "rules/go_board.h"
#include "tests/support/reference_board.h"

namespace go::testing {

// Everything either board lets a caller observe, compared field by field; returns the first
// difference or an empty string.
std::string FirstDifference(const GoBoard& fast, const ReferenceBoard& ref);

}  // namespace go::testing
