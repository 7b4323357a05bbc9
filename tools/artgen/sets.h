#pragma once

#include <QString>
#include <QStringList>

#include "tools/artgen/picture.h"

namespace artgen {

// The named picture sets, each the content of one resource table.
QStringList SetNames();
// The pictures of `name`, sorted by kind and number; empty for an unknown name.
PictureList RenderSet(const QString& name);

PictureList StonemindSet();
PictureList FacesSet();
PictureList GoviewSet();
// The faces again, numbered 102 + n for the older hall's Res module.
PictureList LegacyResSet();

}  // namespace artgen
