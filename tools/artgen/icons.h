#pragma once

#include "tools/artgen/buttons.h"

namespace artgen::icons {

// Move navigation: to the first move, one back, one on, to the last move.
IconPainter First();
IconPainter Previous();
IconPainter Next();
IconPainter Last();

// A camera, for the screenshot button.
IconPainter Camera();

// A stone with the move number 1: move numbers on, or struck through for off.
enum class NumberMark { Shown, Hidden };
IconPainter NumberedStone(NumberMark mark);

// The board views: the normal board and the enlarged one.
IconPainter SmallBoard();
IconPainter BigBoard();

}  // namespace artgen::icons
