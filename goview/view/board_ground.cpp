#include "goview/view/board_ground.h"

#include <QFontMetrics>
#include <algorithm>

namespace goview {

void PaintBoardGround(QPainter& p, const BoardGeometry& geometry, const hall::CImage& wood,
                      const std::array<hall::CImage, 4>& borders, const QFont& coordinateFont) {
    const Box& b = geometry.Square();
    const QFontMetrics metrics(coordinateFont);
    const int textHeight = metrics.height();
    const int s = geometry.Cell();
    const int width = b.width();
    const int height = b.height();
    wood.Tile(p, b.rect());
    borders[0].Draw(p, QRect(b.left, b.top - 3, width, 3));
    borders[1].Draw(p, QRect(b.left - 3, b.top - 3, 3, height + 4));
    borders[2].Draw(p, QRect(b.right, b.top, 3, height));
    borders[3].Draw(p, QRect(b.left - 1, b.bottom, width + 3, 3));

    // Lines stop one pixel short of their end point, as the hall's line drawing does.
    p.setPen(QPen(Qt::black, 1));
    const int inset = width / 38;
    for (int i = 0; i < go::kBoardSize; ++i) {
        const int x0 = b.left + inset;
        const int y = b.top + inset + i * s;
        p.drawLine(x0, y, x0 + width - s - 1, y);
        const int x = b.left + inset + i * s;
        const int y0 = b.top + s / 2;
        p.drawLine(x, y0, x, y0 + width - s - 1);
    }
    const int m = std::max(s / 5, 2);
    for (int sx : {3, 9, 15}) {
        for (int sy : {3, 9, 15}) {
            const int cx = geometry.PointX(sx);
            const int cy = geometry.PointY(sy);
            p.fillRect(QRect(QPoint(cx - m / 2, cy - m / 2), QPoint(cx + m / 2 - 1, cy + m / 2 - 1)), Qt::black);
        }
    }

    p.setFont(coordinateFont);
    p.setPen(Qt::black);
    for (int i = 0; i < go::kBoardSize; ++i) {
        const int y = b.top + (s - textHeight) / 2 + i * s;
        p.drawText(QRect(b.left - 3 - 100, y, 100, textHeight), Qt::AlignRight | Qt::AlignTop, QString::number(i + 1));
        const int x = b.left + (s - textHeight) / 2 + i * s;
        p.drawText(QPoint(x, b.bottom + 3 + metrics.ascent()), QString(QChar('A' + i)));
    }
}

}  // namespace goview
