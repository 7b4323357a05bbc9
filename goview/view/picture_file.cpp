#include "goview/view/picture_file.h"

#include <QBuffer>

#include "goview/resources/string_table.h"
#include "record/file_io.h"

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

bool SavePictureAs(Prompter& prompter, QWidget* parent, const QImage& picture, const QString& folder) {
    // The dialog has no owner window, as the hall's screenshot dialogs have none.
    const QString path =
        prompter.ChooseSaveFile(nullptr, SaveDialogRequest("JPEG Files (*.jpg)|*.jpg|All Files (*.*)|*.*||", "jpg", folder));
    if (path.isEmpty()) return false;
    const QByteArray jpeg = JpegBytes(picture);
    const auto* bytes = reinterpret_cast<const uint8_t*>(jpeg.constData());
    if (jpeg.isEmpty() || !go::WriteFileAtomically(path.toStdString(), {bytes, static_cast<size_t>(jpeg.size())}).written) {
        prompter.ShowMessage(parent, StringOrEmpty(strings::kWriteError), MessageIcon::Stop);
        return false;
    }
    return true;
}

}  // namespace goview
