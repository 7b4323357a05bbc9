#include "tools/artgen/tile_noise.h"

#include <cmath>

#include "tools/artgen/random.h"

namespace artgen {

namespace {

double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

struct Gradient {
    double x, y;
};

// 256 evenly spread unit directions, looked up by hash instead of calling cos and sin per corner.
const Gradient* Gradients() {
    static const auto table = [] {
        static Gradient directions[256];
        for (int i = 0; i < 256; ++i) {
            const double angle = (i + 0.5) * (6.283185307179586 / 256.0);
            directions[i] = {std::cos(angle), std::sin(angle)};
        }
        return directions;
    }();
    return table;
}

int Wrap(int i, int period) {
    const int r = i % period;
    return r < 0 ? r + period : r;
}

}  // namespace

double TileNoise::at(double x, double y, int periodX, int periodY, uint32_t salt) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    const uint32_t seed = Hash32(m_seed, salt);
    const Gradient* gradients = Gradients();
    auto corner = [&](int cx, int cy, double ox, double oy) {
        const uint32_t h = Hash32(seed, static_cast<uint32_t>(Wrap(cx, periodX)), static_cast<uint32_t>(Wrap(cy, periodY)));
        const Gradient& g = gradients[h >> 24];
        return g.x * ox + g.y * oy;
    };
    const double n00 = corner(ix, iy, dx, dy);
    const double n10 = corner(ix + 1, iy, dx - 1.0, dy);
    const double n01 = corner(ix, iy + 1, dx, dy - 1.0);
    const double n11 = corner(ix + 1, iy + 1, dx - 1.0, dy - 1.0);
    const double u = Fade(dx);
    const double v = Fade(dy);
    const double top = n00 + (n10 - n00) * u;
    const double bottom = n01 + (n11 - n01) * u;
    return (top + (bottom - top) * v) * 1.41421356;
}

double TileNoise::fractal(double u, double v, int cellsX, int cellsY, int octaves, double gain, uint32_t salt) const {
    double sum = 0.0;
    double norm = 0.0;
    double amplitude = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        const int px = cellsX << octave;
        const int py = cellsY << octave;
        sum += amplitude * at(u * px, v * py, px, py, salt * 131U + static_cast<uint32_t>(octave));
        norm += amplitude;
        amplitude *= gain;
    }
    return norm > 0.0 ? sum / norm : 0.0;
}

}  // namespace artgen
