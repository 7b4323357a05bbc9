#include "hall/kit/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

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
    size_t length = 0;
    const size_t total = static_cast<size_t>(bytes.size());
    while (length < total) {
        // GBK lead bytes are 0x81..0xFE and take one trail byte.
        const size_t step = static_cast<uint8_t>(bytes[static_cast<qsizetype>(length)]) >= 0x81 ? 2 : 1;
        if (length + step > maxBytes || length + step > total) break;
        length += step;
    }
    return bytes.left(static_cast<qsizetype>(length));
}

void CopyGbkTruncated(char* buffer, size_t size, const QString& text) {
    if (buffer == nullptr || size == 0) return;
    const QByteArray bytes = TruncateGbk(ToGbk(text), size - 1);
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
}

}  // namespace hall
