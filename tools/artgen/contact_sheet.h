#pragma once

#include <QImage>

#include "tools/artgen/picture.h"

namespace artgen {

// Every picture on one sheet, in table order, each labelled with its number (cursors with their
// hot spot marked), on a checkerboard so that transparency shows. `zoom` magnifies each picture
// by whole pixels for close inspection.
QImage RenderContactSheet(const PictureList& pictures, int zoom, int maxWidth = 1400);

}  // namespace artgen
