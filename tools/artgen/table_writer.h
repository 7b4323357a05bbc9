#pragma once

#include <QString>
#include <QStringList>

#include "tools/artgen/picture.h"

namespace artgen {

struct TableOptions {
    QString setName;     // names the embedded symbols, so several tables can share one binary
    QString outDir;      // where the PNG files go; their absolute paths end up in the source
    QString sourcePath;  // the generated C++ file
    // The table function. A plain name is an exported C function (a resource module's entry);
    // a qualified name (ns::Name) is an ordinary C++ function for linking into a library.
    QString function = QStringLiteral("GoResourceTable");
    QStringList includes;  // headers the source includes, e.g. the one declaring `function`
};

// Encodes every picture as PNG into options.outDir, then writes the source that embeds those
// files and lists them as a table sorted by (kind, number). False with the reason in `error`
// for an empty set, a number given twice for one kind, or a path that cannot be embedded.
bool WriteTable(const PictureList& pictures, const TableOptions& options, QString* error);

// The PNG encoding used for every picture, so the files are the same on every run.
QByteArray EncodePng(const QImage& image);

}  // namespace artgen
