#include "sdk/kit/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

#include "record/gbk_text.h"

namespace hall {

QByteArray ToGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toLocal8Bit();
}

QString FromGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString::fromLocal8Bit(bytes);
}

QString FromGbkField(const char* field, size_t size) {
    if (field == nullptr) return {};
    const void* end = std::memchr(field, 0, size);
    const size_t length = end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - field) : size;
    return FromGbk(QByteArray(field, static_cast<qsizetype>(length)));
}

QByteArray TruncateGbk(const QByteArray& bytes, size_t maxBytes) {
    const std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
    return bytes.left(static_cast<qsizetype>(go::GbkPrefixLength(view, maxBytes)));
}

void CopyGbkTruncated(char* buffer, size_t size, const QString& text) {
    if (buffer == nullptr || size == 0) return;
    const QByteArray bytes = TruncateGbk(ToGbk(text), size - 1);
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
}

}  // namespace hall
