#pragma once

#include <QImage>

namespace artgen {

// A rough table window drawn from the generated pictures the way the view combines them (tiled
// woods with grid lines, stones through their masks, panels with text, the toolbar with its
// buttons), to judge the pictures together rather than one by one.
QImage RenderMockup();

}  // namespace artgen
