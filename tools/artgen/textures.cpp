#include "tools/artgen/textures.h"

#include <cmath>

#include "tools/artgen/colour.h"
#include "tools/artgen/tile_noise.h"

namespace artgen {

QImage RenderWindowCloth(int size) {
    const TileNoise noise(0x238);
    QImage image(size, size, QImage::Format_RGB32);
    const Rgb base{34.0, 44.0, 41.0};
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const double u = x / double(size), v = y / double(size);
            // Warp and weft: threads stretched across and down, plus a slow cloudiness.
            const double warp = noise.fractal(u, v, 64, 4, 2, 0.5, 1);
            const double weft = noise.fractal(u, v, 4, 64, 2, 0.5, 2);
            const double weave = ((x + y) % 2 == 0) ? 0.6 : -0.6;
            const double cloud = noise.fractal(u, v, 2, 2, 3, 0.55, 3);
            const double light = 2.4 * warp + 2.4 * weft + 0.9 * weave + 4.0 * cloud;
            line[x] = ToQRgb(base + Rgb{light * 0.9, light, light * 0.95});
        }
    }
    return image;
}

QImage RenderDialogPaper(int size) {
    const TileNoise noise(0x335);
    QImage image(size, size, QImage::Format_RGB32);
    const Rgb base{242.0, 234.0, 216.0};
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const double u = x / double(size), v = y / double(size);
            const double cloud = noise.fractal(u, v, 3, 3, 4, 0.55, 1);
            // Silk-like fibres in two directions, strongest where they cross.
            const double fibreA = noise.fractal(u, v, 48, 6, 2, 0.5, 2);
            const double fibreB = noise.fractal(u, v, 6, 40, 2, 0.5, 3);
            const double fleck = Smoothstep(0.55, 0.8, noise.at(u * 40.0, v * 40.0, 40, 40, 4));
            const double shade = 3.5 * cloud + 1.8 * fibreA + 1.4 * fibreB - 6.0 * fleck;
            line[x] = ToQRgb(base + Rgb{shade, shade * 0.95, shade * 0.85});
        }
    }
    return image;
}

}  // namespace artgen
