#pragma once

#include <QImage>

namespace artgen {

// The application icon: the corner of a kaya board with a black and a white stone, drawn for
// the given size (64 and 32) rather than scaled, with transparency around the rounded board.
QImage RenderAppIcon(int size);

}  // namespace artgen
