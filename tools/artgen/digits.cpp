#include "tools/artgen/digits.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "tools/artgen/keyed.h"
#include "tools/artgen/palette.h"

namespace artgen {

namespace {

// Seven segments: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle; bit i set means segment 'a' + i is lit.
constexpr std::array<int, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// Segment centre lines. With half a stroke, the outline and the lean they stay one pixel clear of
// the cell's edges, so glyphs never bleed into their neighbours when the clock cuts them out.
constexpr double kLeft = 2.8, kRight = 9.5, kTop = 2.3, kBottom = 20.7, kThick = 2.2, kLean = 0.035;

// One segment as a hexagon with pointed ends, between two junction points.
QPainterPath Segment(QPointF from, QPointF to) {
    const double h = kThick / 2.0;
    const double gap = 0.55;
    QPainterPath path;
    if (from.y() == to.y()) {
        const double l = from.x() + gap, r = to.x() - gap, y = from.y();
        path.moveTo(l, y);
        path.lineTo(l + h, y - h);
        path.lineTo(r - h, y - h);
        path.lineTo(r, y);
        path.lineTo(r - h, y + h);
        path.lineTo(l + h, y + h);
    } else {
        const double t = from.y() + gap, b = to.y() - gap, x = from.x();
        path.moveTo(x, t);
        path.lineTo(x + h, t + h);
        path.lineTo(x + h, b - h);
        path.lineTo(x, b);
        path.lineTo(x - h, b - h);
        path.lineTo(x - h, t + h);
    }
    path.closeSubpath();
    return path;
}

QPainterPath DigitPath(int digit, double originX) {
    // A slight forward lean, as on a real display.
    auto at = [originX](double x, double y) { return QPointF(originX + x + (kBottom - y) * kLean, y); };
    const double middle = (kTop + kBottom) / 2.0;
    const std::array<std::pair<QPointF, QPointF>, 7> ends = {{
        {at(kLeft, kTop), at(kRight, kTop)},
        {at(kRight, kTop), at(kRight, middle)},
        {at(kRight, middle), at(kRight, kBottom)},
        {at(kLeft, kBottom), at(kRight, kBottom)},
        {at(kLeft, middle), at(kLeft, kBottom)},
        {at(kLeft, kTop), at(kLeft, middle)},
        {at(kLeft, middle), at(kRight, middle)},
    }};
    QPainterPath path;
    for (size_t i = 0; i < ends.size(); ++i) {
        if ((kSegments.at(static_cast<size_t>(digit)) >> i) & 1) {
            auto [from, to] = ends[i];
            // Lean moves the ends sideways; build the segment upright and shear it with them.
            if (from.y() == to.y()) {
                path.addPath(Segment(from, to));
            } else {
                QPainterPath upright = Segment(QPointF(from.x(), from.y()), QPointF(from.x(), to.y()));
                QTransform lean;
                lean.translate(from.x(), from.y());
                lean.shear(-kLean, 0);
                lean.translate(-from.x(), -from.y());
                path.addPath(lean.map(upright));
            }
        }
    }
    return path.simplified();
}

QPainterPath ColonPath(double originX) {
    QPainterPath path;
    const double cx = originX + kDigitWidth / 2.0;
    path.addRoundedRect(QRectF(cx - 1.4, 6.6, 2.8, 2.8), 0.8, 0.8);
    path.addRoundedRect(QRectF(cx - 1.9, 14.6, 2.8, 2.8), 0.8, 0.8);
    return path;
}

}  // namespace

QImage RenderDigitStrip() {
    QImage drawing = TransparentCanvas(11 * kDigitWidth, kDigitHeight);
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath glyphs;
    for (int digit = 0; digit < 10; ++digit) glyphs.addPath(DigitPath(digit, digit * kDigitWidth));
    glyphs.addPath(ColonPath(10 * kDigitWidth));
    // The dark outline first, then the lit segments over it.
    painter.setPen(QPen(QColor(24, 14, 6), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(glyphs);
    QLinearGradient glow(0, kTop, 0, kBottom);
    glow.setColorAt(0.0, QColor(255, 206, 96));
    glow.setColorAt(1.0, QColor(250, 150, 40));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawPath(glyphs);
    painter.end();
    return FlattenOnKey(drawing, palette::kKeyWhite, QColor(20, 16, 10));
}

}  // namespace artgen
