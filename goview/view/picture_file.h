#pragma once

#include <QImage>
#include <QString>

#include "goview/view/prompter.h"

class QWidget;

namespace goview {

// A save dialog of the plug-in: the proposed name "new", the overwrite prompt, the data folder.
FileRequest SaveDialogRequest(const char* filter, const char* extension, const QString& folder);

// The screenshot command of a window: asks where to save `picture` as a JPEG file and writes it
// without destroying an older file on failure. A picture that could not be written is said so
// rather than silently missing. False when cancelled or not written.
bool SavePictureAs(Prompter& prompter, QWidget* parent, const QImage& picture, const QString& folder);

// The name a JPEG picture is written under: `path` when it ends in ".jpg" or ".jpeg", else with
// that ending in place of its own (a picture chosen as "board.png" is "board.jpg").
QString JpegPath(const QString& path);

}  // namespace goview
