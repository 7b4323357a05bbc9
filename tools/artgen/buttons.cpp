#include "tools/artgen/buttons.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "tools/artgen/caption.h"
#include "tools/artgen/keyed.h"
#include "tools/artgen/palette.h"

namespace artgen {

namespace {

struct Look {
    QColor top, bottom;   // body gradient
    QColor edgeTop, edgeBottom;
    QColor ink;           // caption and icon
    QColor inkShadow;     // invalid for none
    bool gloss = true;
    bool glow = false;
    bool sunken = false;
};

QColor Scaled(const QColor& c, double k) {
    return QColor(std::clamp(int(c.red() * k), 0, 255), std::clamp(int(c.green() * k), 0, 255),
                  std::clamp(int(c.blue() * k), 0, 255), c.alpha());
}

QColor Greyed(const QColor& c, double lift) {
    const int grey = qGray(c.rgb());
    const int g = std::clamp(int(grey * 0.8 + lift), 0, 255);
    return QColor(g, std::min(g + 2, 255), std::min(g + 1, 255));
}

Look LookFor(ButtonTone tone, ButtonState state) {
    const bool bronze = tone == ButtonTone::Bronze;
    const QColor top = bronze ? QColor(150, 104, 50) : QColor(66, 88, 80);
    const QColor bottom = bronze ? QColor(86, 56, 24) : QColor(30, 42, 38);
    Look look{top, bottom, palette::kGold, palette::kBronze, palette::kIvory, QColor(0, 0, 0, 150)};
    switch (state) {
        case ButtonState::Normal:
            break;
        case ButtonState::Hover:
            look.top = Scaled(top, 1.22);
            look.bottom = Scaled(bottom, 1.25);
            look.edgeTop = palette::kGoldLight;
            look.edgeBottom = palette::kGold;
            look.ink = QColor(255, 246, 214);
            look.glow = true;
            break;
        case ButtonState::Pressed:
            look.top = Scaled(bottom, 0.7);
            look.bottom = Scaled(top, 0.72);
            look.edgeTop = Scaled(palette::kBronze, 0.8);
            look.edgeBottom = palette::kGold;
            look.gloss = false;
            look.sunken = true;
            break;
        case ButtonState::Disabled:
            look.top = Greyed(top, 14);
            look.bottom = look.top;
            look.edgeTop = QColor(104, 106, 104);
            look.edgeBottom = QColor(88, 90, 88);
            look.ink = QColor(134, 138, 136);
            look.inkShadow = QColor();
            look.gloss = false;
            break;
    }
    return look;
}

double CornerRadius(const QSize& size) { return std::min(5.0, std::min(size.width(), size.height()) / 4.5); }

// Caption size by button height: bold enough to read, small enough to leave a margin.
int CaptionPixels(const ButtonFace& face) {
    if (face.size.height() >= 28) return 13;
    return 12;
}

void PaintContent(QPainter& painter, const ButtonFace& face, const Look& look, QPointF offset) {
    const QRectF inner = QRectF(QPointF(0, 0), QSizeF(face.size)).adjusted(3, 3, -3, -3).translated(offset);
    const QFont font = CaptionFont(CaptionPixels(face));
    if (face.icon && face.caption.isEmpty()) {
        const double side = std::min(inner.width(), inner.height());
        const QRectF box(inner.center().x() - side / 2.0, inner.center().y() - side / 2.0, side, side);
        if (look.inkShadow.isValid()) face.icon(painter, box.translated(0, 1), look.inkShadow);
        face.icon(painter, box, look.ink);
        return;
    }
    QRectF textBox = inner;
    if (face.icon) {
        const double side = std::min(16.0, inner.height());
        const QFontMetricsF metrics(font);
        const double textWidth = metrics.tightBoundingRect(face.caption).width();
        const double gap = 4.0;
        const double left = inner.center().x() - (side + gap + textWidth) / 2.0;
        const QRectF box(std::round(left), std::round(inner.center().y() - side / 2.0), side, side);
        if (look.inkShadow.isValid()) face.icon(painter, box.translated(0, 1), look.inkShadow);
        face.icon(painter, box, look.ink);
        textBox = QRectF(box.right() + gap, inner.top(), textWidth, inner.height());
    }
    DrawCentredText(painter, textBox, face.caption, font, look.ink, look.inkShadow);
}

}  // namespace

QImage RenderButton(const ButtonFace& face, ButtonState state) {
    const Look look = LookFor(face.tone, state);
    QImage image = TransparentCanvas(face.size.width(), face.size.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = CornerRadius(face.size);
    const QRectF outer(0.5, 0.5, face.size.width() - 1.0, face.size.height() - 1.0);
    QPainterPath body;
    body.addRoundedRect(outer, radius, radius);

    QLinearGradient fill(0, 0, 0, face.size.height());
    fill.setColorAt(0.0, look.top);
    fill.setColorAt(1.0, look.bottom);
    painter.fillPath(body, fill);

    painter.save();
    painter.setClipPath(body);
    if (look.gloss) {
        QLinearGradient gloss(0, 0, 0, face.size.height() * 0.55);
        gloss.setColorAt(0.0, QColor(255, 255, 255, 46));
        gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.fillRect(QRectF(0, 0, face.size.width(), face.size.height() * 0.55), gloss);
    }
    if (look.glow) {
        QRadialGradient glow(QPointF(face.size.width() / 2.0, face.size.height()), face.size.width() * 0.6);
        glow.setColorAt(0.0, QColor(240, 200, 110, 90));
        glow.setColorAt(1.0, QColor(240, 200, 110, 0));
        painter.fillRect(outer, glow);
    }
    if (look.sunken) {
        // A shadow along the inside of the top edge: the face sits lower than its frame.
        QLinearGradient shade(0, 0, 0, 5);
        shade.setColorAt(0.0, QColor(0, 0, 0, 120));
        shade.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.fillRect(QRectF(0, 0, face.size.width(), 5), shade);
    }
    painter.restore();

    QLinearGradient edge(0, 0, 0, face.size.height());
    edge.setColorAt(0.0, look.edgeTop);
    edge.setColorAt(1.0, look.edgeBottom);
    painter.setPen(QPen(QBrush(edge), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body);
    if (look.gloss) {
        painter.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
        painter.drawLine(QPointF(radius, 1.5), QPointF(face.size.width() - radius, 1.5));
    }

    PaintContent(painter, face, look, look.sunken ? QPointF(1, 1) : QPointF(0, 0));
    painter.end();
    return image;
}

}  // namespace artgen
