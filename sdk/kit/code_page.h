#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace hall {

// Text crosses the hall boundary and reaches record files as GBK bytes, the hall's code page.
QByteArray ToGbk(const QString& text);
QString FromGbk(const QByteArray& bytes);
// A zero-terminated field of at most `size` bytes, never read past.
QString FromGbkField(const char* field, size_t size);
// Copies `text` into `buffer` as GBK, cut to at most size - 1 bytes without splitting a
// double-byte character, and always zero-terminated. Nothing happens for a zero size.
void CopyGbkTruncated(char* buffer, size_t size, const QString& text);
// The longest prefix of GBK `bytes` of at most `maxBytes` that ends on a character boundary.
QByteArray TruncateGbk(const QByteArray& bytes, size_t maxBytes);

}  // namespace hall
