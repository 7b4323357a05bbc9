#pragma once

#include <QImage>
#include <QPixmap>
#include <QPainter>
#include <QRect>
#include <QRgb>
#include <QString>

#include "sdk/kit/resource_module.h"

namespace hall {

// `image` with every pixel of colour `key` made fully transparent (the alpha of the key ignored).
QImage WithoutColour(const QImage& image, QRgb key);

// A picture loaded by number from a resource module (or from a file), drawn at its own size,
// stretched, tiled, or with one colour treated as transparent.
class CImage {
public:
    // Loads picture `number`; false (and an empty image) when the module has none.
    bool LoadBitmap(const ResourceModule& module, int number);
    bool LoadImageFile(const QString& path);
    void SetImage(const QImage& image);
    void Clear();

    bool IsNull() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }

    void Draw(QPainter& painter, int x, int y) const;
    void Draw(QPainter& painter, const QRect& target) const;
    // Draws with every pixel of `key` left out.
    void DrawTransparent(QPainter& painter, int x, int y, QRgb key) const;
    // Repeats the picture from the area's top left corner until the area is covered.
    void Tile(QPainter& painter, const QRect& area) const;

private:
    QImage m_image;
    mutable QImage m_keyed;  // m_image with the last transparent colour cut out
    mutable QRgb m_keyedColor = 0;
    mutable QPixmap m_tile;  // m_image as a pixmap for tiling, made on first use
};

}  // namespace hall
