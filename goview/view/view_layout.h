#pragma once

#include <array>

#include "goview/view/board_geometry.h"

namespace goview {

// Where everything of the view goes for a client area: the board, the bottom toolbar with its twelve buttons and the Start button, and the left strip
// with the two player panels, the button panel and the status panel.
struct ViewLayout {
    static constexpr int kToolbarWidth = 453;
    static constexpr int kToolbarHeight = 70;
    static constexpr int kToolbarButtons = 12;

    bool bigBoard = false;
    bool compact = false;
    Box bottomBar;  // empty in the big-board layout
    Box toolbar;
    std::array<Box, kToolbarButtons> toolbarButtons;  // two rows of six, left to right
    Box startButton;                                  // the 56 x 70 control left of the toolbar
    BoardGeometry board;
    Box strip;
    Box upperPanel;  // the opponent
    Box lowerPanel;  // the local player
    Box buttonPanel;
    Box statusPanel;

    enum class BoardArea { WithPanels, BoardAlone };
    enum class Panels { Full, Compact };
    static ViewLayout Compute(int clientWidth, int clientHeight, BoardArea area, Panels panels);

    // The seat picture frame of a player panel.
    Box SeatFrame(const Box& panel) const;
};

}  // namespace goview
