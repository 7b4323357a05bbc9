#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace artgen {

// The face for every caption: a CJK sans serif, hinted for small sizes, with fall-backs for
// machines without it.
QFont CaptionFont(int pixelSize, QFont::Weight weight = QFont::Bold);

// Draws `text` centred on its ink (not its line box), so that Chinese and Latin captions sit
// equally in the middle of a button. A valid `shadow` is drawn one pixel lower first.
void DrawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                     const QColor& colour, const QColor& shadow = QColor());

}  // namespace artgen
