#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/artgen/faces.h"

namespace artgen {

namespace {

void Ellipse(QPainter& p, QPointF c, double rx, double ry, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, rx, ry);
}

void Polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void Smile(QPainter& p, QPointF centre, double width, const QColor& ink) {
    QPainterPath path;
    path.moveTo(centre.x() - width, centre.y());
    path.quadTo(centre.x() - width / 2, centre.y() + 1.4, centre.x(), centre.y());
    path.quadTo(centre.x() + width / 2, centre.y() + 1.4, centre.x() + width, centre.y());
    p.setPen(QPen(ink, 0.85, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Eyes(QPainter& p, double y, double spread, const QColor& ink, double size = 1.2) {
    Ellipse(p, QPointF(16.0 - spread, y), size * 0.85, size, ink);
    Ellipse(p, QPointF(16.0 + spread, y), size * 0.85, size, ink);
    Ellipse(p, QPointF(16.0 - spread + 0.35, y - 0.4), 0.35, 0.35, QColor(255, 255, 255, 220));
    Ellipse(p, QPointF(16.0 + spread + 0.35, y - 0.4), 0.35, 0.35, QColor(255, 255, 255, 220));
}

void Cat(QPainter& p) {
    const QColor fur(238, 150, 64), dark(196, 104, 36), pink(246, 160, 160);
    Polygon(p, {{7.2, 14.0}, {8.4, 3.6}, {15.0, 9.2}}, fur);
    Polygon(p, {{24.8, 14.0}, {23.6, 3.6}, {17.0, 9.2}}, fur);
    Polygon(p, {{9.0, 11.0}, {9.4, 6.0}, {12.8, 9.2}}, pink);
    Polygon(p, {{23.0, 11.0}, {22.6, 6.0}, {19.2, 9.2}}, pink);
    Ellipse(p, QPointF(16.0, 32.0), 11.0, 8.0, fur);
    Ellipse(p, QPointF(16.0, 17.0), 10.2, 8.6, fur);
    // Tabby stripes on the brow.
    p.setPen(QPen(dark, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16.0, 9.0), QPointF(16.0, 12.0));
    p.drawLine(QPointF(13.6, 9.4), QPointF(14.2, 11.6));
    p.drawLine(QPointF(18.4, 9.4), QPointF(17.8, 11.6));
    Ellipse(p, QPointF(16.0, 20.6), 4.6, 3.2, QColor(252, 236, 214));
    Ellipse(p, QPointF(12.2, 16.0), 1.4, 1.7, QColor(96, 160, 60));
    Ellipse(p, QPointF(19.8, 16.0), 1.4, 1.7, QColor(96, 160, 60));
    Ellipse(p, QPointF(12.2, 16.0), 0.45, 1.4, QColor(30, 30, 24));
    Ellipse(p, QPointF(19.8, 16.0), 0.45, 1.4, QColor(30, 30, 24));
    Polygon(p, {{14.9, 18.8}, {17.1, 18.8}, {16.0, 20.1}}, QColor(226, 110, 120));
    Smile(p, QPointF(16.0, 20.4), 1.6, QColor(120, 60, 40));
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.5));
    p.drawLine(QPointF(11.0, 20.0), QPointF(6.4, 19.2));
    p.drawLine(QPointF(11.0, 21.0), QPointF(6.6, 21.6));
    p.drawLine(QPointF(21.0, 20.0), QPointF(25.6, 19.2));
    p.drawLine(QPointF(21.0, 21.0), QPointF(25.4, 21.6));
}

void Panda(QPainter& p) {
    const QColor black(40, 40, 44), white(250, 250, 246);
    Ellipse(p, QPointF(8.6, 8.8), 3.6, 3.6, black);
    Ellipse(p, QPointF(23.4, 8.8), 3.6, 3.6, black);
    Ellipse(p, QPointF(16.0, 32.5), 11.0, 8.0, black);
    Ellipse(p, QPointF(16.0, 16.8), 10.4, 9.0, white);
    p.save();
    for (int side = -1; side <= 1; side += 2) {
        p.save();
        p.translate(16.0 + side * 4.2, 16.2);
        p.rotate(side * -30.0);
        Ellipse(p, QPointF(0, 0), 2.4, 3.3, black);
        p.restore();
    }
    p.restore();
    Ellipse(p, QPointF(11.9, 15.6), 0.9, 0.9, white);
    Ellipse(p, QPointF(20.1, 15.6), 0.9, 0.9, white);
    Ellipse(p, QPointF(16.0, 20.0), 1.6, 1.1, black);
    Smile(p, QPointF(16.0, 21.4), 1.6, black);
    Ellipse(p, QPointF(10.4, 20.6), 1.3, 0.8, QColor(255, 140, 150, 90));
    Ellipse(p, QPointF(21.6, 20.6), 1.3, 0.8, QColor(255, 140, 150, 90));
}

void Fox(QPainter& p) {
    const QColor fur(232, 112, 40), cream(252, 240, 224), dark(70, 40, 30);
    Polygon(p, {{6.0, 15.0}, {7.4, 2.6}, {14.0, 9.0}}, fur);
    Polygon(p, {{26.0, 15.0}, {24.6, 2.6}, {18.0, 9.0}}, fur);
    Polygon(p, {{8.2, 11.0}, {8.8, 5.6}, {11.8, 8.6}}, dark);
    Polygon(p, {{23.8, 11.0}, {23.2, 5.6}, {20.2, 8.6}}, dark);
    Ellipse(p, QPointF(16.0, 32.5), 10.0, 8.0, cream);
    QPainterPath head;
    head.moveTo(5.6, 13.0);
    head.cubicTo(7.0, 6.0, 25.0, 6.0, 26.4, 13.0);
    head.cubicTo(25.0, 20.0, 19.0, 24.6, 16.0, 25.4);
    head.cubicTo(13.0, 24.6, 7.0, 20.0, 5.6, 13.0);
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    p.drawPath(head);
    QPainterPath cheeks;
    cheeks.moveTo(6.4, 15.0);
    cheeks.cubicTo(10.0, 16.0, 13.0, 18.0, 16.0, 18.0);
    cheeks.cubicTo(19.0, 18.0, 22.0, 16.0, 25.6, 15.0);
    cheeks.cubicTo(23.0, 21.0, 19.0, 24.6, 16.0, 25.4);
    cheeks.cubicTo(13.0, 24.6, 9.0, 21.0, 6.4, 15.0);
    p.setBrush(cream);
    p.drawPath(cheeks);
    Eyes(p, 14.4, 4.0, dark, 1.15);
    Ellipse(p, QPointF(16.0, 22.6), 1.5, 1.1, dark);
}

void Bear(QPainter& p) {
    const QColor fur(150, 100, 62), inner(214, 168, 126), dark(50, 34, 26);
    Ellipse(p, QPointF(8.4, 9.0), 3.8, 3.8, fur);
    Ellipse(p, QPointF(23.6, 9.0), 3.8, 3.8, fur);
    Ellipse(p, QPointF(8.4, 9.0), 2.0, 2.0, inner);
    Ellipse(p, QPointF(23.6, 9.0), 2.0, 2.0, inner);
    Ellipse(p, QPointF(16.0, 32.5), 11.0, 8.0, fur.darker(110));
    Ellipse(p, QPointF(16.0, 17.0), 10.4, 9.0, fur);
    Ellipse(p, QPointF(16.0, 20.4), 4.8, 3.6, inner);
    Eyes(p, 15.0, 4.0, dark);
    Ellipse(p, QPointF(16.0, 18.8), 1.7, 1.2, dark);
    Smile(p, QPointF(16.0, 21.2), 1.4, dark);
}

void Rabbit(QPainter& p) {
    const QColor fur(244, 244, 240), shade(214, 214, 212), pink(246, 170, 180);
    for (int side = -1; side <= 1; side += 2) {
        p.save();
        p.translate(16.0 + side * 4.0, 7.0);
        p.rotate(side * 10.0);
        Ellipse(p, QPointF(0, -1.0), 2.6, 7.6, fur);
        Ellipse(p, QPointF(0, -0.6), 1.2, 5.6, pink);
        p.restore();
    }
    Ellipse(p, QPointF(16.0, 32.5), 10.0, 8.0, shade);
    QRadialGradient head(QPointF(14.0, 15.0), 11.0);
    head.setColorAt(0.0, fur);
    head.setColorAt(1.0, shade);
    p.setPen(Qt::NoPen);
    p.setBrush(head);
    p.drawEllipse(QPointF(16.0, 18.0), 9.4, 8.2);
    Eyes(p, 17.0, 3.8, QColor(60, 40, 44));
    Ellipse(p, QPointF(16.0, 19.8), 1.1, 0.8, QColor(226, 120, 136));
    Smile(p, QPointF(16.0, 20.8), 1.3, QColor(110, 70, 70));
    Ellipse(p, QPointF(10.8, 20.0), 1.4, 0.9, QColor(255, 140, 160, 100));
    Ellipse(p, QPointF(21.2, 20.0), 1.4, 0.9, QColor(255, 140, 160, 100));
}

void Penguin(QPainter& p) {
    const QColor black(36, 42, 56), white(250, 250, 248), orange(244, 156, 40);
    Ellipse(p, QPointF(16.0, 31.0), 12.0, 9.0, black);
    Ellipse(p, QPointF(16.0, 33.0), 7.0, 6.0, white);
    Ellipse(p, QPointF(16.0, 16.0), 10.6, 10.0, black);
    QPainterPath face;
    face.moveTo(16.0, 12.6);
    face.cubicTo(13.0, 8.0, 7.0, 10.0, 7.8, 16.4);
    face.cubicTo(8.4, 21.6, 12.6, 24.0, 16.0, 24.0);
    face.cubicTo(19.4, 24.0, 23.6, 21.6, 24.2, 16.4);
    face.cubicTo(25.0, 10.0, 19.0, 8.0, 16.0, 12.6);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(face);
    Eyes(p, 15.6, 3.6, black);
    Polygon(p, {{13.8, 18.4}, {18.2, 18.4}, {16.0, 21.0}}, orange);
    Ellipse(p, QPointF(10.6, 19.4), 1.4, 0.9, QColor(255, 130, 150, 100));
    Ellipse(p, QPointF(21.4, 19.4), 1.4, 0.9, QColor(255, 130, 150, 100));
}

}  // namespace

void PaintAnimal(QPainter& painter, Animal animal) {
    switch (animal) {
        case Animal::Cat: Cat(painter); break;
        case Animal::Panda: Panda(painter); break;
        case Animal::Fox: Fox(painter); break;
        case Animal::Bear: Bear(painter); break;
        case Animal::Rabbit: Rabbit(painter); break;
        case Animal::Penguin: Penguin(painter); break;
    }
}

}  // namespace artgen
