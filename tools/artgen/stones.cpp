#include "tools/artgen/stones.h"

#include <cmath>

#include "tools/artgen/colour.h"
#include "tools/artgen/tile_noise.h"

namespace artgen {

namespace {

// Samples per pixel along each axis: many for the rim's coverage (a cheap test), few for the
// slowly varying shading.
constexpr int kCoverageSamples = 8;
constexpr int kShadeSamples = 3;

struct Vec3 {
    double x, y, z;
};

Vec3 Normalised(Vec3 v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Light from the upper left, in front; the viewer looks straight down (+z towards the viewer,
// y grows downwards as in the picture).
const Vec3 kLight = Normalised({-0.5, -0.62, 0.62});
const Vec3 kHalfway = Normalised({kLight.x, kLight.y, kLight.z + 1.0});

// The surface of a Go stone: a flat lens whose edge rolls over, more or less steeply by `roll`.
// (u, v) lie in the unit disc.
Vec3 StoneNormal(double u, double v, double roll) {
    const double r = std::sqrt(u * u + v * v);
    if (r < 1e-9) return {0.0, 0.0, 1.0};
    const double capRadius = 1.55;
    double slope = r / std::sqrt(capRadius * capRadius - r * r);
    const double edge = Smoothstep(0.74, 1.0, r);
    slope += roll * edge * edge;
    return Normalised({u / r * slope, v / r * slope, 1.0});
}

// Matte slate: a broad soft highlight towards the light and a faint rim that keeps the stone's
// outline visible on dark panels.
Rgb ShadeBlack(double u, double v, double detail, const TileNoise& noise) {
    const Vec3 n = StoneNormal(u, v, 1.4);
    const double r = std::sqrt(u * u + v * v);
    const double diffuse = std::max(0.0, Dot(n, kLight));
    const double facing = std::max(0.0, Dot(n, kHalfway));
    const Rgb base{27.0, 28.0, 32.0};
    Rgb c = base * (0.45 + 1.2 * diffuse);
    c = c + Rgb{1.0, 1.0, 1.0} * (46.0 * std::pow(facing, 6.0) + 20.0 * std::pow(facing, 36.0));
    const double rim = Smoothstep(0.88, 1.0, r);
    const double litSide = std::clamp(0.5 - 0.5 * (u + v) / std::max(r, 1e-9) * 0.7071, 0.0, 1.0);
    c = c + Rgb{34.0, 35.0, 40.0} * (rim * (0.06 + 0.5 * litSide * litSide));
    // A trace of stone grain on large stones only; on small ones it would read as dirt.
    if (detail > 0.0) c = c + Rgb{1.0, 1.0, 1.0} * (detail * 2.5 * noise.at((u + 1.0) * 6.0, (v + 1.0) * 6.0, 12, 12, 7));
    return c;
}

// Clamshell white: warm, softly shaded, with faint growth bands and a shadow along the edge
// away from the light.
Rgb ShadeWhite(double u, double v, double detail, const TileNoise& noise) {
    const Vec3 n = StoneNormal(u, v, 3.2);
    const double r = std::sqrt(u * u + v * v);
    const double diffuse = std::max(0.0, Dot(n, kLight));
    const double facing = std::max(0.0, Dot(n, kHalfway));
    const Rgb base{241.0, 238.0, 229.0};
    Rgb c = base * (0.80 + 0.22 * diffuse);
    const double awaySide = std::clamp(0.5 + 0.5 * (u + v) / std::max(r, 1e-9) * 0.7071, 0.0, 1.0);
    const double edge = Smoothstep(0.70, 1.0, r);
    c = Mix(c, Rgb{168.0, 162.0, 150.0}, edge * edge * (0.25 + 0.45 * awaySide));
    c = c + Rgb{1.0, 1.0, 1.0} * (16.0 * std::pow(facing, 22.0));
    if (detail <= 0.0) return c;
    // Growth bands of the shell: fine, slightly curved, unevenly spaced.
    const double band = v + 0.30 * u * u + 0.10 * noise.at((u + 1.0) * 1.5, (v + 1.0) * 1.5, 3, 3, 3);
    const double stripes = 0.5 + 0.5 * std::sin(band * 40.0 + 2.5 * noise.at(0.5, (v + 1.0) * 4.0, 1, 8, 4));
    c = c * (1.0 - detail * 0.022 * std::pow(stripes, 4.0));
    return c;
}

QImage GreyImage(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

StonePicture RenderStone(StoneColour colour, int diameter) {
    static const TileNoise noise(0x5701E);
    StonePicture out{GreyImage(diameter), GreyImage(diameter)};
    const double radius = diameter / 2.0;
    // Surface detail fades in between 24 and 40 pixels.
    const double detail = Smoothstep(24.0, 40.0, diameter);
    auto shade = [&](double u, double v) {
        const Rgb c = colour == StoneColour::Black ? ShadeBlack(u, v, detail, noise) : ShadeWhite(u, v, detail, noise);
        return Rgb{std::clamp(c.r, 0.0, 255.0), std::clamp(c.g, 0.0, 255.0), std::clamp(c.b, 0.0, 255.0)};
    };
    constexpr int kTotal = kCoverageSamples * kCoverageSamples;
    for (int py = 0; py < diameter; ++py) {
        auto* stoneLine = reinterpret_cast<QRgb*>(out.stone.scanLine(py));
        auto* maskLine = reinterpret_cast<QRgb*>(out.mask.scanLine(py));
        for (int px = 0; px < diameter; ++px) {
            auto unit = [&](int pixel, int sample, int samples) {
                return (pixel + (sample + 0.5) / samples - radius) / radius;
            };
            // Pixels wholly inside or outside the disc need no sampling.
            const double dx0 = px - radius, dx1 = px + 1 - radius, dy0 = py - radius, dy1 = py + 1 - radius;
            const double farX = std::max(std::abs(dx0), std::abs(dx1)), farY = std::max(std::abs(dy0), std::abs(dy1));
            const double nearX = dx0 * dx1 <= 0 ? 0.0 : std::min(std::abs(dx0), std::abs(dx1));
            const double nearY = dy0 * dy1 <= 0 ? 0.0 : std::min(std::abs(dy0), std::abs(dy1));
            const bool wholly = farX * farX + farY * farY <= radius * radius;
            const bool outside = nearX * nearX + nearY * nearY >= radius * radius;
            int inside = wholly ? kTotal : 0;
            for (int sy = 0; sy < kCoverageSamples && !wholly && !outside; ++sy) {
                const double v = unit(py, sy, kCoverageSamples);
                for (int sx = 0; sx < kCoverageSamples; ++sx) {
                    const double u = unit(px, sx, kCoverageSamples);
                    inside += u * u + v * v <= 1.0 ? 1 : 0;
                }
            }
            const int coverage = (inside * 255 + kTotal / 2) / kTotal;
            maskLine[px] = qRgb(255 - coverage, 255 - coverage, 255 - coverage);
            if (coverage == 0) continue;
            // Shading varies slowly: a few samples on the stone's part of the pixel are enough.
            Rgb sum;
            int shaded = 0;
            for (int sy = 0; sy < kShadeSamples; ++sy) {
                for (int sx = 0; sx < kShadeSamples; ++sx) {
                    const double u = unit(px, sx, kShadeSamples), v = unit(py, sy, kShadeSamples);
                    if (u * u + v * v > 1.0) continue;
                    sum = sum + shade(u, v);
                    ++shaded;
                }
            }
            if (shaded == 0) {
                // A sliver of rim: shade the nearest point of the stone.
                const double u = (px + 0.5 - radius) / radius, v = (py + 0.5 - radius) / radius;
                const double r = std::sqrt(u * u + v * v);
                sum = shade(u / r * 0.999, v / r * 0.999);
                shaded = 1;
            }
            // Premultiplied by the same coverage the mask holds, so no channel exceeds it.
            const double weight = coverage / (255.0 * shaded);
            stoneLine[px] = qRgb(static_cast<int>(sum.r * weight + 0.5), static_cast<int>(sum.g * weight + 0.5),
                                 static_cast<int>(sum.b * weight + 0.5));
        }
    }
    return out;
}

QImage StoneWithAlpha(const StonePicture& picture) {
    QImage out(picture.stone.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        const auto* stone = reinterpret_cast<const QRgb*>(picture.stone.constScanLine(y));
        const auto* mask = reinterpret_cast<const QRgb*>(picture.mask.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int alpha = 255 - qRed(mask[x]);
            line[x] = qRgba(std::min(qRed(stone[x]), alpha), std::min(qGreen(stone[x]), alpha),
                            std::min(qBlue(stone[x]), alpha), alpha);
        }
    }
    return out;
}

}  // namespace artgen
