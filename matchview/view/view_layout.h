#pragma once

#include <QRect>
#include <array>

namespace matchview {

// A rectangle as the layout arithmetic works with it: right and bottom lie just outside.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect rect() const { return QRect(left, top, width(), height()); }
    friend bool operator==(const Box&, const Box&) = default;
};

// Where everything of the view goes for a client area: the board square and its spacing, the
// stone size, the bottom toolbar with its twelve buttons and the Start button, and the left strip
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
    Box board;                                        // the board square
    int spacing = 0;                                  // s: distance between two lines
    int stoneSize = 10;                               // D: stone diameter, 10..58
    Box strip;
    Box upperPanel;  // the opponent
    Box lowerPanel;  // the local player
    Box buttonPanel;
    Box statusPanel;

    enum class BoardArea { WithPanels, BoardAlone };
    enum class Panels { Full, Compact };
    static ViewLayout Compute(int clientWidth, int clientHeight, BoardArea area, Panels panels);

    // Centre of board point (x, y).
    int PointX(int x) const { return board.left + spacing / 2 + x * spacing; }
    int PointY(int y) const { return board.top + spacing / 2 + y * spacing; }
    // The board point under a client position, or false outside the board square.
    bool PointAt(int clientX, int clientY, int& x, int& y) const;
    // Side of the last-move marker and of the territory discs.
    int MarkerSize() const;
    // The seat picture frame of a player panel.
    Box SeatFrame(const Box& panel) const;
};

}  // namespace matchview
