#include "tools/artgen/cursor.h"

#include <QPainter>
#include <QPainterPath>

#include "tools/artgen/keyed.h"

namespace artgen {

namespace {

// The outline of a right hand pointing up, in pixel units; edges lie on half pixels so the
// one-pixel outline stays sharp.
QPainterPath HandOutline() {
    QPainterPath hand;
    hand.moveTo(8.5, 3.5);
    hand.arcTo(QRectF(8.5, 0.5, 5.0, 5.0), 180.0, -180.0);  // finger tip
    hand.lineTo(13.5, 11.0);
    hand.arcTo(QRectF(13.5, 8.5, 4.0, 4.0), 180.0, -180.0);  // middle knuckle
    hand.lineTo(17.5, 11.6);
    hand.arcTo(QRectF(17.5, 9.5, 4.0, 4.0), 180.0, -180.0);  // ring knuckle
    hand.lineTo(21.5, 12.6);
    hand.arcTo(QRectF(21.5, 10.5, 4.0, 4.0), 180.0, -180.0);  // little finger
    hand.lineTo(25.5, 19.5);
    hand.cubicTo(25.5, 23.5, 24.0, 25.5, 22.5, 27.0);
    hand.lineTo(22.5, 29.5);
    hand.lineTo(11.5, 29.5);
    hand.lineTo(11.5, 27.5);
    hand.cubicTo(9.5, 25.5, 7.0, 22.0, 4.2, 18.4);
    // thumb
    hand.cubicTo(2.8, 16.6, 4.0, 14.2, 6.2, 15.2);
    hand.lineTo(8.5, 17.0);
    hand.closeSubpath();
    return hand;
}

}  // namespace

CursorPicture RenderHandCursor() {
    QImage image = TransparentCanvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath hand = HandOutline();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(hand.translated(1.2, 1.2));
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(QColor(0, 0, 0), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(hand);
    // The gaps between the folded fingers, and the cuff.
    p.setPen(QPen(QColor(0, 0, 0), 1.0));
    p.drawLine(QPointF(13.5, 11.0), QPointF(13.5, 15.0));
    p.drawLine(QPointF(17.5, 11.6), QPointF(17.5, 15.5));
    p.drawLine(QPointF(21.5, 12.6), QPointF(21.5, 16.0));
    p.drawLine(QPointF(11.5, 27.5), QPointF(22.5, 27.5));
    p.end();
    return {image, QPoint(10, 0)};
}

}  // namespace artgen
