#pragma once

#include <QImage>

namespace artgen {

// The badge for a flagged player: a small gold star on yellow, which the drawing code leaves out.
QImage RenderBadge(int size);

// The round start button with its caption; every pixel outside the button is exactly magenta,
// which the button uses both for drawing and for its click region.
QImage RenderStartButton(int width, int height);

}  // namespace artgen
