#include "tools/artgen/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <vector>

#include "tools/artgen/caption.h"

namespace artgen::icons {

namespace {

// Icons are drawn in a unit square mapped onto the box.
QPointF At(const QRectF& box, double x, double y) {
    return {box.left() + x * box.width(), box.top() + y * box.height()};
}

void FillPolygon(QPainter& painter, const QRectF& box, const QColor& ink, std::initializer_list<QPointF> unitPoints) {
    QPolygonF polygon;
    for (const QPointF& p : unitPoints) polygon << At(box, p.x(), p.y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(polygon);
    painter.restore();
}

void FillBar(QPainter& painter, const QRectF& box, const QColor& ink, double left, double right) {
    // Bars snap to whole pixels so they stay sharp at 16 pixels.
    const QPointF a = At(box, left, 0.2), b = At(box, right, 0.8);
    painter.fillRect(QRectF(QPointF(std::round(a.x()), std::round(a.y())), QPointF(std::round(b.x()), std::round(b.y()))),
                     ink);
}

QPen Stroke(const QRectF& box, const QColor& ink) { return QPen(ink, std::max(1.2, box.width() / 11.0)); }

void DrawGrid(QPainter& painter, const QRectF& area, int lines, const QPen& pen) {
    painter.setPen(pen);
    for (int i = 0; i < lines; ++i) {
        const double t = i / double(lines - 1);
        const double x = std::round(area.left() + t * area.width()) + 0.5;
        const double y = std::round(area.top() + t * area.height()) + 0.5;
        painter.drawLine(QPointF(x, std::round(area.top()) + 0.5), QPointF(x, std::round(area.bottom()) + 0.5));
        painter.drawLine(QPointF(std::round(area.left()) + 0.5, y), QPointF(std::round(area.right()) + 0.5, y));
    }
}

}  // namespace

IconPainter First() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        FillBar(p, box, ink, 0.18, 0.3);
        FillPolygon(p, box, ink, {{0.82, 0.2}, {0.34, 0.5}, {0.82, 0.8}});
    };
}

IconPainter Previous() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        FillPolygon(p, box, ink, {{0.72, 0.2}, {0.24, 0.5}, {0.72, 0.8}});
    };
}

IconPainter Next() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        FillPolygon(p, box, ink, {{0.28, 0.2}, {0.76, 0.5}, {0.28, 0.8}});
    };
}

IconPainter Last() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        FillPolygon(p, box, ink, {{0.18, 0.2}, {0.66, 0.5}, {0.18, 0.8}});
        FillBar(p, box, ink, 0.7, 0.82);
    };
}

IconPainter Camera() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Stroke(box, ink));
        p.setBrush(Qt::NoBrush);
        QPainterPath body;
        body.addRoundedRect(QRectF(At(box, 0.06, 0.3), At(box, 0.94, 0.86)), box.width() * 0.1, box.width() * 0.1);
        p.drawPath(body);
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(At(box, 0.32, 0.16), At(box, 0.62, 0.3)));
        p.drawEllipse(At(box, 0.8, 0.44), box.width() * 0.05, box.width() * 0.05);
        p.setPen(Stroke(box, ink));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(At(box, 0.5, 0.58), box.width() * 0.19, box.width() * 0.19);
        p.restore();
    };
}

IconPainter NumberedStone(NumberMark mark) {
    return [mark](QPainter& p, const QRectF& box, const QColor& ink) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Stroke(box, ink));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(box.center(), box.width() * 0.43, box.height() * 0.43);
        DrawCentredText(p, box, QStringLiteral("1"), CaptionFont(std::max(8, int(box.height() * 0.62))), ink);
        if (mark == NumberMark::Hidden) {
            QPen slash = Stroke(box, ink);
            slash.setCapStyle(Qt::RoundCap);
            p.setPen(slash);
            p.drawLine(At(box, 0.1, 0.9), At(box, 0.9, 0.1));
        }
        p.restore();
    };
}

IconPainter SmallBoard() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        p.save();
        DrawGrid(p, QRectF(At(box, 0.3, 0.3), At(box, 0.7, 0.7)), 3, QPen(ink, 1.0));
        QPen dashed(ink, 1.0, Qt::DotLine);
        p.setPen(dashed);
        p.drawRect(QRectF(std::round(box.left()) + 0.5, std::round(box.top()) + 0.5, std::round(box.width()) - 1.0,
                          std::round(box.height()) - 1.0));
        p.restore();
    };
}

IconPainter BigBoard() {
    return [](QPainter& p, const QRectF& box, const QColor& ink) {
        p.save();
        DrawGrid(p, QRectF(At(box, 0.04, 0.04), At(box, 0.94, 0.94)), 4, QPen(ink, 1.0));
        p.restore();
    };
}

}  // namespace artgen::icons
