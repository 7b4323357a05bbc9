// The noise every texture is made of: it must wrap exactly at its period, or tiles show seams.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/artgen/random.h"
#include "tools/artgen/tile_noise.h"

namespace artgen {
namespace {

// Reproducible sample points in [low, high).
double Sample(uint32_t stream, uint32_t index, double low, double high) {
    return low + (high - low) * HashUnit(Hash32(stream, index));
}

TEST(TileNoise, RepeatsAfterItsPeriodAcrossAndDown) {
    const TileNoise noise(7);
    for (int periodX : {1, 3, 16}) {
        for (int periodY : {2, 5}) {
            for (uint32_t i = 0; i < 200; ++i) {
                const double x = Sample(1, i, -20.0, 20.0), y = Sample(2, i, -20.0, 20.0);
                const double here = noise.at(x, y, periodX, periodY);
                EXPECT_NEAR(noise.at(x + periodX, y, periodX, periodY), here, 1e-9);
                EXPECT_NEAR(noise.at(x, y - 2.0 * periodY, periodX, periodY), here, 1e-9);
            }
        }
    }
}

TEST(TileNoise, FractalRepeatsOverOneTile) {
    const TileNoise noise(11);
    for (uint32_t i = 0; i < 200; ++i) {
        const double u = Sample(3, i, 0.0, 1.0), v = Sample(4, i, 0.0, 1.0);
        const double here = noise.fractal(u, v, 3, 2, 4, 0.5, 9);
        EXPECT_NEAR(noise.fractal(u + 1.0, v, 3, 2, 4, 0.5, 9), here, 1e-9);
        EXPECT_NEAR(noise.fractal(u, v + 1.0, 3, 2, 4, 0.5, 9), here, 1e-9);
    }
}

TEST(TileNoise, IsContinuousAcrossCellEdges) {
    // A jump at a lattice line would draw a visible line through every texture.
    const TileNoise noise(13);
    for (int cell = 0; cell <= 8; ++cell) {
        for (double y = 0.05; y < 4.0; y += 0.37) {
            const double left = noise.at(cell - 1e-6, y, 8, 4);
            const double right = noise.at(cell + 1e-6, y, 8, 4);
            EXPECT_NEAR(left, right, 1e-4) << "x " << cell << " y " << y;
            EXPECT_NEAR(noise.at(y, cell - 1e-6, 4, 8), noise.at(y, cell + 1e-6, 4, 8), 1e-4);
        }
    }
}

TEST(TileNoise, FillsRoughlyTheUnitRangeAndSaltsGiveOtherFields) {
    const TileNoise noise(17);
    double low = 0, high = 0, differing = 0;
    for (int i = 0; i < 4096; ++i) {
        const double x = (i % 64) * 0.173, y = (i / 64) * 0.173;
        const double value = noise.at(x, y, 64, 64);
        low = std::min(low, value);
        high = std::max(high, value);
        differing += std::abs(value - noise.at(x, y, 64, 64, 1));
    }
    EXPECT_GE(low, -1.05);
    EXPECT_LE(high, 1.05);
    EXPECT_GT(high - low, 1.0);
    EXPECT_GT(differing / 4096, 0.1);
}

TEST(TileNoise, SameSeedSameField) {
    const TileNoise a(21), b(21), c(22);
    EXPECT_EQ(a.at(1.3, 2.7, 4, 4), b.at(1.3, 2.7, 4, 4));
    EXPECT_NE(a.at(1.3, 2.7, 4, 4), c.at(1.3, 2.7, 4, 4));
}

}  // namespace
}  // namespace artgen
