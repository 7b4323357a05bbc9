#pragma once

#include <QRect>

#include "rules/board_types.h"

namespace goview {

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

// Where a 19 x 19 board lies in a window and how big its things are: the square, the cell (the
// distance between two lines), the stone and marker sizes, and the way between pixels and points.
// The table view and the study window fit their boards with it and draw with it alike.
class BoardGeometry {
public:
    BoardGeometry() = default;
    // The board for a first guess `area`: made square by taking half the surplus off each side,
    // then 10 pixels more off the left and the bottom for the coordinates, then trimmed on the
    // same two sides to a multiple of 19.
    static BoardGeometry Fit(Box area);

    const Box& Square() const { return m_square; }
    int Cell() const { return m_cell; }
    // Stone diameter: the cell less 2, within the 10..58 pixels the stone pictures come in.
    int StoneSize() const;
    // Side of the last-move triangle and of the territory discs.
    int MarkerSize() const;
    // Centre of board point (x, y).
    int PointX(int x) const { return m_square.left + m_cell / 2 + x * m_cell; }
    int PointY(int y) const { return m_square.top + m_cell / 2 + y * m_cell; }
    // The board point under a window position, or false outside the square.
    bool PointAt(int windowX, int windowY, int& x, int& y) const;
    // The cell square of point (x, y), grown by `reach` on every side.
    QRect PointSquare(int x, int y, int reach = 0) const;

    friend bool operator==(const BoardGeometry&, const BoardGeometry&) = default;

private:
    BoardGeometry(Box square, int cell) : m_square(square), m_cell(cell) {}

    Box m_square;
    int m_cell = 0;
};

}  // namespace goview
