#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace artgen {

// The older hall's skin: its table view reads buttons and panels as BMP files by name from the
// hall's go/go_img/ folder instead of a resource table.
struct SkinFile {
    QString name;
    QImage image;
};

// Every file of the skin, opaque. The turn markers sit on exactly magenta, the colour the older
// hall leaves out when it draws them; BMP carries no alpha.
std::vector<SkinFile> LegacySkinFiles();

// Writes the skin into `dir` (made if missing) as 24-bit BMP files; false with `error` set when a
// file cannot be written.
bool WriteLegacySkin(const QString& dir, QString* error);

}  // namespace artgen
