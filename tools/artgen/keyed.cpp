#include "tools/artgen/keyed.h"

namespace artgen {

QImage TransparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage FlattenOnKey(const QImage& drawing, QRgb key, const QColor& underlay) {
    const QImage source = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_RGB32);
    const int ur = underlay.red(), ug = underlay.green(), ub = underlay.blue();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            if (a < 128) {
                line[x] = key | 0xFF000000u;
                continue;
            }
            const int rest = 255 - a;
            int r = qRed(p) + (ur * rest + 127) / 255;
            int g = qGreen(p) + (ug * rest + 127) / 255;
            int b = qBlue(p) + (ub * rest + 127) / 255;
            QRgb c = qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
            if ((c | 0xFF000000u) == (key | 0xFF000000u)) {
                // One step off the key keeps the pixel visible and looks the same.
                c = qRgb(qRed(c) > 0 ? qRed(c) - 1 : 1, qGreen(c), qBlue(c));
            }
            line[x] = c;
        }
    }
    return out;
}

}  // namespace artgen
