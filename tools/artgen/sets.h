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

}  // namespace artgen
