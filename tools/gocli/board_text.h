#pragma once

#include <string>

#include "rules/position.h"

namespace go {

// The position as text: columns A..S (I included), rows 1..19 from the top, X black, O white,
// + star points, the last stone in parentheses.
std::string BoardAsText(const Position& board);

// A point as the board labels it, "D4" for (3, 3); "pass" for (255, 255).
std::string PointName(int x, int y);

// Reads "D4" (case-insensitive) or "pass"; false for anything else.
bool ParsePointName(const std::string& text, int& x, int& y);

}  // namespace go
