#pragma once

#include <array>

#include "goview/view/board_geometry.h"

namespace goview {

// Where everything of the study window goes for a client area: the board on the left, the side
// strip of 130 pixels on the right with its seven buttons and the breakpoint list, and the
// navigation box at the strip's foot.
struct StudyLayout {
    static constexpr int kStripWidth = 130;
    static constexpr int kSideButtons = 7;  // in the order of StudyWindow's side buttons

    BoardGeometry board;
    Box strip;
    Box navigation;  // 120 x 68
    std::array<Box, kSideButtons> sideButtons;
    Box breakpoints;                  // the list box
    std::array<Box, 4> stepButtons;   // first, previous, next, last
    Box moveField;
    Box goButton;

    static StudyLayout Compute(int clientWidth, int clientHeight);
};

}  // namespace goview
