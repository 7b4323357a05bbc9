#include "goview/view/view_layout.h"

namespace goview {

ViewLayout ViewLayout::Compute(int cw, int ch, BoardArea area, Panels panels) {
    const bool bigBoard = area == BoardArea::BoardAlone;
    const bool compact = panels == Panels::Compact;
    ViewLayout l;
    l.bigBoard = bigBoard;
    l.compact = compact;
    const int n = compact ? 0 : 1;

    // Bottom bar with the toolbar centred in it.
    if (!bigBoard) {
        l.bottomBar = Box{125, ch - 90, cw - 5, ch - 5};
        const int left = l.bottomBar.left + (l.bottomBar.width() - kToolbarWidth) / 2;
        const int top = l.bottomBar.top + (l.bottomBar.height() - kToolbarHeight) / 2;
        l.toolbar = Box{left, top, left + kToolbarWidth, top + kToolbarHeight};
    }

    // The board in its first guess.
    l.board = BoardGeometry::Fit(bigBoard ? Box{10, 10, cw - 10, ch - 10} : Box{130, 10, cw - 10, l.bottomBar.top - 5});

    if (!bigBoard) {
        // Two rows of six buttons, the fourth column wider; Start sits left of the toolbar.
        for (int row = 0; row < 2; ++row) {
            int x = l.toolbar.left + 4;
            const int y = l.toolbar.top + 4 + 30 * row;
            for (int column = 0; column < 6; ++column) {
                const int width = column == 3 ? 95 : 68;
                l.toolbarButtons[row * 6 + column] = Box{x, y, x + width, y + 30};
                x += width;
            }
        }
        l.startButton = Box{l.toolbar.left - 58, l.toolbar.top, l.toolbar.left - 58 + 56, l.toolbar.top + 70};
    }

    // The left strip and its panels.
    l.strip = Box{0, 0, 120, bigBoard ? ch : l.bottomBar.top};
    const int h = l.strip.height();
    const int panelHeight = 163 + 43 * n;
    l.upperPanel = Box{2, h / 2 - 216, 122, h / 2 - 216 + panelHeight};
    l.lowerPanel = Box{2, h / 2 - 30 * n + 40, 122, h / 2 - 30 * n + 40 + panelHeight};
    const int buttonTop = l.strip.bottom - 70 * n - 18;
    l.buttonPanel = Box{2, buttonTop, 122, buttonTop + 68};
    const int statusTop =
        compact ? l.upperPanel.bottom + (l.lowerPanel.top - l.upperPanel.bottom - 80) / 2 : 2;
    l.statusPanel = Box{2, statusTop, 122, statusTop + 80};
    return l;
}

Box ViewLayout::SeatFrame(const Box& panel) const {
    const int width = compact ? 50 : 70;
    const int height = compact ? 70 : 120;
    return Box{panel.left + 20, panel.top + 5, panel.left + 20 + width, panel.top + 5 + height};
}

}  // namespace goview
