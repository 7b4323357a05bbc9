#include "goview/view/picture_file.h"

#include <QBuffer>
#include <QFileInfo>

#include "goview/resources/string_table.h"
#include "goview/view/game_file.h"

namespace goview {
namespace {

// `picture` as JPEG bytes, empty when it does not encode.
QByteArray JpegBytes(const QImage& picture) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "JPG")) return {};
    return jpeg;
}

}  // namespace

FileRequest SaveDialogRequest(const char* filter, const char* extension, const QString& folder) {
    FileRequest request;
    request.filter = QString::fromUtf8(filter);
    request.proposedName = QStringLiteral("new");
    request.defaultExtension = QString::fromUtf8(extension);
    request.startFolder = folder;
    request.confirmOverwrite = true;
    return request;
}

QString JpegPath(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return path;
    if (suffix.isEmpty()) return path + QStringLiteral(".jpg");
    return path.left(path.size() - suffix.size()) + QStringLiteral("jpg");
}

bool SavePictureAs(Prompter& prompter, QWidget* parent, const QImage& picture, const QString& folder) {
    // The dialog has no owner window, as the hall's screenshot dialogs have none.
    const QString chosen =
        prompter.ChooseSaveFile(nullptr, SaveDialogRequest("JPEG Files (*.jpg)|*.jpg|All Files (*.*)|*.*||", "jpg", folder));
    if (chosen.isEmpty()) return false;
    const QByteArray jpeg = JpegBytes(picture);
    if (jpeg.isEmpty()) {
        prompter.ShowMessage(parent, StringOrEmpty(strings::kWriteError), MessageIcon::Stop);
        return false;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(jpeg.constData());
    return WriteFileOrSay(prompter, parent, JpegPath(chosen), {bytes, static_cast<size_t>(jpeg.size())});
}

}  // namespace goview
