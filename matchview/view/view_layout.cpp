#include "matchview/view/view_layout.h"

#include <algorithm>

namespace matchview {

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

    // The board: a first guess, made square, room for the coordinates, width a multiple of 19.
    Box b = bigBoard ? Box{10, 10, cw - 10, ch - 10} : Box{130, 10, cw - 10, l.bottomBar.top - 5};
    if (b.height() < b.width()) {
        const int d = (b.width() - b.height()) / 2;
        b.left += d;
        b.right -= d;
    } else if (b.width() < b.height()) {
        const int d = (b.height() - b.width()) / 2;
        b.top += d;
        b.bottom -= d;
    }
    b.left += 10;
    b.bottom -= 10;
    const int r = b.width() - (b.width() / 19) * 19;
    b.left += r;
    b.bottom -= r;
    l.board = b;
    l.spacing = b.width() / 19;
    l.stoneSize = std::clamp(l.spacing - 2, 10, 58);

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

bool ViewLayout::PointAt(int clientX, int clientY, int& x, int& y) const {
    if (spacing <= 0 || clientX < board.left || clientX >= board.right || clientY < board.top ||
        clientY >= board.bottom) {
        return false;
    }
    x = (clientX - board.left) / spacing;
    y = (clientY - board.top) / spacing;
    return x < 19 && y < 19;
}

int ViewLayout::MarkerSize() const {
    if (spacing < 25) return 8;
    const int t = spacing - 15;
    return t > 58 ? 50 : t;
}

Box ViewLayout::SeatFrame(const Box& panel) const {
    const int width = compact ? 50 : 70;
    const int height = compact ? 70 : 120;
    return Box{panel.left + 20, panel.top + 5, panel.left + 20 + width, panel.top + 5 + height};
}

}  // namespace matchview
