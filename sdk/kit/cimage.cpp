#include "sdk/kit/cimage.h"

namespace hall {

QImage WithoutColour(const QImage& image, QRgb key) {
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xFF000000u;
    for (int row = 0; row < keyed.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(row));
        for (int col = 0; col < keyed.width(); ++col) {
            if ((line[col] | 0xFF000000u) == opaqueKey) line[col] = 0;
        }
    }
    return keyed;
}

bool CImage::LoadBitmap(const ResourceModule& module, int number) {
    SetImage(module.LoadPicture(number));
    return !m_image.isNull();
}

bool CImage::LoadImageFile(const QString& path) {
    SetImage(QImage(path));
    return !m_image.isNull();
}

void CImage::SetImage(const QImage& image) {
    m_image = image;
    m_keyed = QImage();
    m_tile = QPixmap();
}

void CImage::Clear() { SetImage(QImage()); }

void CImage::Draw(QPainter& painter, int x, int y) const {
    if (!m_image.isNull()) painter.drawImage(x, y, m_image);
}

void CImage::Draw(QPainter& painter, const QRect& target) const {
    if (!m_image.isNull()) painter.drawImage(target, m_image);
}

void CImage::DrawTransparent(QPainter& painter, int x, int y, QRgb key) const {
    if (m_image.isNull()) return;
    if (m_keyed.isNull() || m_keyedColor != key) {
        m_keyed = WithoutColour(m_image, key);
        m_keyedColor = key;
    }
    painter.drawImage(x, y, m_keyed);
}

void CImage::Tile(QPainter& painter, const QRect& area) const {
    if (m_image.isNull() || area.isEmpty()) return;
    if (m_tile.isNull()) m_tile = QPixmap::fromImage(m_image);
    painter.drawTiledPixmap(area, m_tile);
}

}  // namespace hall
