#pragma once

#include <cstdint>

namespace artgen {

// Gradient noise that repeats: every texture tile must join its neighbours without a seam, so
// every lattice wraps after a whole number of cells.
class TileNoise {
public:
    explicit TileNoise(uint32_t seed) : m_seed(seed) {}

    // Noise roughly in [-1, 1] at (x, y) in lattice cells; repeats every periodX cells across and
    // periodY cells down. `salt` selects an independent field.
    double at(double x, double y, int periodX, int periodY, uint32_t salt = 0) const;

    // Octaves of at() over a tile: (u, v) in tile units (the pattern repeats at 1), the first
    // octave with cellsX x cellsY cells, each further octave twice as fine and `gain` as strong.
    // Normalised to roughly [-1, 1].
    double fractal(double u, double v, int cellsX, int cellsY, int octaves, double gain = 0.5,
                   uint32_t salt = 0) const;

private:
    uint32_t m_seed;
};

}  // namespace artgen
