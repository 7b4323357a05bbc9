#include "tools/artgen/emblems.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "tools/artgen/caption.h"
#include "tools/artgen/keyed.h"
#include "tools/artgen/palette.h"

namespace artgen {

namespace {

QPainterPath Star(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2.0 + i * M_PI / 5.0;
        const double r = (i % 2 == 0) ? outer : inner;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace

QImage RenderBadge(int size) {
    QImage drawing = TransparentCanvas(size, size);
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size / 16.0;
    const QPainterPath star = Star(QPointF(8.0 * s, 8.6 * s), 7.6 * s, 3.3 * s);
    // Deep gold that can never be taken for the yellow around it.
    QLinearGradient gold(0, 0, 0, size);
    gold.setColorAt(0.0, QColor(255, 226, 120));
    gold.setColorAt(0.55, QColor(222, 158, 36));
    gold.setColorAt(1.0, QColor(170, 104, 20));
    painter.setPen(QPen(QColor(90, 52, 10), 1.0 * s, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    painter.setBrush(gold);
    painter.drawPath(star);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 250, 220, 170));
    painter.drawEllipse(QPointF(6.6 * s, 6.8 * s), 1.3 * s, 1.0 * s);
    painter.end();
    return FlattenOnKey(drawing, palette::kKeyYellow, palette::kSlate);
}

QImage RenderStartButton(int width, int height) {
    QImage drawing = TransparentCanvas(width, height);
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width / 2.0, height / 2.0);
    const double radius = std::min(width, height) / 2.0 - 1.0;

    // A shadow under the disc, then the gold ring, then the lacquer face.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawEllipse(centre + QPointF(0, 1.2), radius, radius);
    QLinearGradient ring(0, centre.y() - radius, 0, centre.y() + radius);
    ring.setColorAt(0.0, palette::kGoldLight);
    ring.setColorAt(0.5, palette::kGold);
    ring.setColorAt(1.0, QColor(120, 84, 36));
    painter.setBrush(ring);
    painter.drawEllipse(centre, radius, radius);
    const double face = radius - 3.0;
    QRadialGradient lacquer(centre + QPointF(-face * 0.3, -face * 0.35), face * 1.5);
    lacquer.setColorAt(0.0, QColor(226, 72, 54));
    lacquer.setColorAt(0.55, QColor(170, 30, 26));
    lacquer.setColorAt(1.0, QColor(96, 12, 12));
    painter.setBrush(lacquer);
    painter.drawEllipse(centre, face, face);
    // The glaze: a soft reflection across the upper half.
    QLinearGradient glaze(0, centre.y() - face, 0, centre.y());
    glaze.setColorAt(0.0, QColor(255, 255, 255, 110));
    glaze.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(glaze);
    painter.drawEllipse(QPointF(centre.x(), centre.y() - face * 0.45), face * 0.72, face * 0.48);

    DrawCentredText(painter, QRectF(0, 0, width, height), QStringLiteral("开始"), CaptionFont(15),
                    QColor(255, 238, 196), QColor(60, 0, 0, 200));
    painter.end();
    return FlattenOnKey(drawing, palette::kKeyMagenta, palette::kWindow);
}

}  // namespace artgen
