#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPainter>

namespace hall {

// Draws a button's picture at (0, 0) with the feedback the skinned buttons share: a light veil
// under the pointer, a darker one while pressed, a faded picture when disabled. The veils cover
// only the picture's own pixels, so transparent parts stay transparent.
void DrawButtonFace(QPainter& painter, const QImage& picture, const QAbstractButton& button);

}  // namespace hall
