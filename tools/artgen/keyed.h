#pragma once

#include <QColor>
#include <QImage>
#include <QRgb>

namespace artgen {

// Turns a drawing with alpha into an opaque picture whose outside is exactly `key`, the colour the
// drawing code leaves out. Pixels less than half covered become the key; the rest are composed
// over `underlay`, the colour the picture is expected to sit on, so that anti-aliased edges carry
// no fringe of the key colour. No pixel inside the shape equals the key.
QImage FlattenOnKey(const QImage& drawing, QRgb key, const QColor& underlay);

// A transparent ARGB canvas of the given size, ready for painting.
QImage TransparentCanvas(int width, int height);

}  // namespace artgen
