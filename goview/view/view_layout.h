#pragma once

#include <QPoint>
#include <array>
#include <vector>

#include "goview/view/board_geometry.h"

namespace goview {

// Where everything of the view goes for a client area: the board, the bottom toolbar with its twelve buttons and the Start button, and the left strip
// with the two player panels, the button panel and the status panel. The older hall's layout
// has fixed panels for its two window sizes and its twelve buttons, Start among them, in two
// rows under the board.
struct ViewLayout {
    static constexpr int kToolbarWidth = 453;
    static constexpr int kToolbarHeight = 70;
    static constexpr int kToolbarButtons = 12;

    // A control and its place.
    struct Placement {
        int id;
        Box box;
    };

    bool bigBoard = false;
    bool compact = false;
    bool legacy = false;
    Box bottomBar;  // empty in the big-board layout
    Box toolbar;
    std::array<Box, kToolbarButtons> toolbarButtons;  // two rows of six, left to right
    Box startButton;                                  // the 56 x 70 control left of the toolbar
    BoardGeometry board;
    Box strip;
    Box upperPanel;  // the opponent
    Box lowerPanel;  // the local player
    Box buttonPanel;  // the navigation panel of the older hall's layout
    Box statusPanel;
    // Every control with a place of its own, those of the toolbar included; in the big-board
    // layout the controls it hides keep their last places.
    std::vector<Placement> placements;

    enum class BoardArea { WithPanels, BoardAlone };
    enum class Panels { Full, Compact };
    static ViewLayout Compute(int clientWidth, int clientHeight, BoardArea area, Panels panels);
    // The older hall's layout: the large window's places from 601 pixels wide, else the small
    // one's (600 x 540).
    static ViewLayout ComputeLegacy(int clientWidth, int clientHeight, BoardArea area);

    // The seat picture frame of a player panel (above it in the older hall's layout).
    Box SeatFrame(const Box& panel) const;
    // Where the turn marker's top left corner goes for a player panel of the older hall's layout.
    static QPoint TurnMarkerAt(const Box& panel) { return QPoint(panel.left + panel.width() / 2, panel.bottom - 126); }
    // What a player panel draws on: in the older hall's layout also the band above it with the
    // face, the turn marker and the prisoners.
    QRect PanelArea(const Box& panel) const;
    // The place of control `id`, or null when it has none.
    const Box* PlaceOf(int id) const;
};

}  // namespace goview
