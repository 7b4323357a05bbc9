#include "goview/view/stone_pictures.h"

#include <algorithm>

namespace goview {

QImage StonePictures::Combine(const QImage& stone, const QImage& mask) {
    if (stone.isNull() || mask.isNull() || stone.size() != mask.size()) return {};
    const QImage colours = stone.convertToFormat(QImage::Format_RGB32);
    const QImage coverage = mask.convertToFormat(QImage::Format_RGB32);
    QImage combined(stone.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < combined.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(combined.scanLine(y));
        for (int x = 0; x < combined.width(); ++x) {
            const int alpha = 255 - qRed(m[x]);
            // The stone picture is already weighted by coverage; keep it a valid premultiplied pixel.
            out[x] = qRgba(std::min(qRed(s[x]), alpha), std::min(qGreen(s[x]), alpha), std::min(qBlue(s[x]), alpha),
                           alpha);
        }
    }
    return combined;
}

bool StonePictures::Load(const hall::ResourceModule* library, int size) {
    size = std::clamp(size, kMinSize, kMaxSize);
    if (size == m_size && IsLoaded()) return true;
    m_size = size;
    m_black = QImage();
    m_white = QImage();
    if (library == nullptr) return false;
    const int k = size - kMinSize;
    m_black = Combine(library->LoadPicture(kBlackStone + k), library->LoadPicture(kBlackMask + k));
    m_white = Combine(library->LoadPicture(kWhiteStone + k), library->LoadPicture(kWhiteMask + k));
    return IsLoaded();
}

}  // namespace goview
