#pragma once

#include <QImage>

namespace artgen {

// The clock's glyphs in one strip: digit k at x = 13k, the colon at x = 130, each 13 x 23, on
// white, which the drawing code leaves out. Lit amber segments with a dark outline, so they
// read on the dark clock window and on the board's wood alike.
QImage RenderDigitStrip();

constexpr int kDigitWidth = 13;
constexpr int kDigitHeight = 23;

}  // namespace artgen
