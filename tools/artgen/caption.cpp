#include "tools/artgen/caption.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace artgen {

QFont CaptionFont(int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                     const QColor& colour, const QColor& shadow) {
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(text);
    // Whole-pixel baselines keep hinted strokes sharp.
    const double x = std::round(box.center().x() - ink.width() / 2.0 - ink.left());
    const double y = std::round(box.center().y() - ink.height() / 2.0 - ink.top());
    painter.save();
    painter.setFont(font);
    if (shadow.isValid()) {
        painter.setPen(shadow);
        painter.drawText(QPointF(x, y + 1.0), text);
    }
    painter.setPen(colour);
    painter.drawText(QPointF(x, y), text);
    painter.restore();
}

}  // namespace artgen
