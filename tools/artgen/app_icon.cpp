#include "tools/artgen/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "tools/artgen/keyed.h"
#include "tools/artgen/stones.h"
#include "tools/artgen/woods.h"

namespace artgen {

QImage RenderAppIcon(int size) {
    const double s = size / 64.0;
    QImage image = TransparentCanvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Kaya with its grain opened up: at icon size the board's dense lines would turn to mush.
    WoodSpecies kaya = BoardWood(1);
    kaya.rings = 6;
    kaya.fibre = 0.04;
    const QImage wood = RenderWood(kaya, size);
    const QRectF board(2.0 * s, 2.0 * s, 60.0 * s, 60.0 * s);
    QPainterPath outline;
    outline.addRoundedRect(board, 9.0 * s, 9.0 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(outline.translated(0, 1.0 * s));
    p.setClipPath(outline);
    p.drawImage(0, 0, wood);

    // The upper left corner of the grid, with the 3-3 star point.
    const double spacing = 13.0 * s;
    const double origin = 11.0 * s;
    p.setPen(QPen(QColor(40, 26, 12), std::max(1.0, 1.2 * s)));
    for (int i = 0; i < 5; ++i) {
        const double at = std::round(origin + i * spacing) + 0.5;
        p.drawLine(QPointF(at, std::round(origin) + 0.5), QPointF(at, size));
        p.drawLine(QPointF(std::round(origin) + 0.5, at), QPointF(size, at));
    }
    p.setClipping(false);

    const int diameter = static_cast<int>(std::lround(2.0 * spacing - 2.0 * s));
    const QImage white = StoneWithAlpha(RenderStone(StoneColour::White, diameter));
    const QImage black = StoneWithAlpha(RenderStone(StoneColour::Black, diameter));
    auto place = [&](const QImage& stone, int col, int row) {
        const QPointF centre(origin + col * spacing, origin + row * spacing);
        const QPointF corner(std::round(centre.x() - diameter / 2.0), std::round(centre.y() - diameter / 2.0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawEllipse(centre + QPointF(1.2 * s, 1.6 * s), diameter / 2.0, diameter / 2.0);
        p.drawImage(corner, stone);
    };
    place(white, 3, 1);
    place(black, 2, 3);
    p.setPen(QPen(QColor(255, 240, 200, 70), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    return image;
}

}  // namespace artgen
