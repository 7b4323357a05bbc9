#pragma once

#include <QImage>

namespace artgen {

// The window's background tile: a calm, dark green-grey cloth that repeats without a seam.
QImage RenderWindowCloth(int size);

// The dialogs' background tile: warm, light paper with faint fibres, quiet under dark text.
QImage RenderDialogPaper(int size);

}  // namespace artgen
