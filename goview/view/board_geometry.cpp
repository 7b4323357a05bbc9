#include "goview/view/board_geometry.h"

#include <algorithm>

namespace goview {

BoardGeometry BoardGeometry::Fit(Box b) {
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
    const int r = b.width() - (b.width() / go::kBoardSize) * go::kBoardSize;
    b.left += r;
    b.bottom -= r;
    return BoardGeometry(b, b.width() / go::kBoardSize);
}

int BoardGeometry::StoneSize() const { return std::clamp(m_cell - 2, 10, 58); }

int BoardGeometry::MarkerSize() const {
    if (m_cell < 25) return 8;
    const int t = m_cell - 15;
    return t > 58 ? 50 : t;
}

bool BoardGeometry::PointAt(int windowX, int windowY, int& x, int& y) const {
    if (m_cell <= 0 || windowX < m_square.left || windowX >= m_square.right || windowY < m_square.top ||
        windowY >= m_square.bottom) {
        return false;
    }
    x = (windowX - m_square.left) / m_cell;
    y = (windowY - m_square.top) / m_cell;
    return x < go::kBoardSize && y < go::kBoardSize;
}

QRect BoardGeometry::PointSquare(int x, int y, int reach) const {
    return QRect(m_square.left + x * m_cell - reach, m_square.top + y * m_cell - reach, m_cell + 2 * reach,
                 m_cell + 2 * reach);
}

}  // namespace goview
