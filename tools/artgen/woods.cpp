#include "tools/artgen/woods.h"

#include <array>
#include <cmath>
#include <numbers>

#include "tools/artgen/random.h"
#include "tools/artgen/tile_noise.h"

namespace artgen {

namespace {

// Darkness across one growth ring: light early wood that darkens towards the late wood, then a
// short soft fall back, so the lines need no supersampling to stay smooth.
double RingProfile(double t, double sharpness) {
    return std::pow(t, sharpness) * (1.0 - Smoothstep(0.9, 1.0, t));
}

// The growth-ring coordinate of a point: whole numbers are growth lines.
double RingPhase(const WoodSpecies& s, double across, double along) {
    if (s.pithDepth <= 0.0) {
        // Half a ring of offset puts the tile's edge mid-ring rather than on a growth line.
        return across * s.rings + 0.5;
    }
    // Distance from the pith: sideways from the pith's line (folded so that it repeats, and
    // smooth where it folds) and downwards to the pith, which rises and falls along the board.
    constexpr double pi = std::numbers::pi;
    const double sideways = std::abs(std::sin(pi * (across - 0.5))) / pi;
    const double depth = s.pithDepth * (1.0 + s.depthSwing * (std::sin(2.0 * pi * along) +
                                                              0.35 * std::sin(4.0 * pi * along + 1.3)));
    return std::sqrt(sideways * sideways + depth * depth) * s.rings;
}

}  // namespace

const WoodSpecies& BoardWood(int index) {
    // Kept light enough that black grid lines and stones stand out on every one of them.
    static const std::array<WoodSpecies, kBoardWoodCount> woods = {{
        // Cypress: pale lemon cream, fine straight lines.
        {.seed = 0xC1, .earlywood = {238, 216, 170}, .latewood = {206, 170, 116}, .tint = {226, 196, 140},
         .rings = 30, .contrast = 0.5, .sharpness = 5.0, .waviness = 0.35, .fibre = 0.07, .tintStreaks = 0.25,
         .mottle = 0.035},
        // Kaya: warm gold, dense straight grain.
        {.seed = 0xCA, .earlywood = {231, 188, 112}, .latewood = {190, 134, 62}, .tint = {214, 160, 84},
         .rings = 36, .contrast = 0.58, .sharpness = 4.0, .waviness = 0.3, .fibre = 0.08, .tintStreaks = 0.35,
         .mottle = 0.045},
        // Ginkgo: pale yellow, soft and even, faint arches.
        {.seed = 0x61, .earlywood = {240, 222, 160}, .latewood = {216, 190, 122}, .tint = {230, 208, 140},
         .vertical = false, .rings = 30, .contrast = 0.34, .sharpness = 3.0, .waviness = 0.4, .pithDepth = 0.14,
         .depthSwing = 0.4, .fibre = 0.1, .tintStreaks = 0.2, .mottle = 0.04},
        // Catalpa: light brown, flat-sawn arches with open pores.
        {.seed = 0xCB, .earlywood = {218, 180, 128}, .latewood = {164, 116, 70}, .tint = {196, 150, 100},
         .vertical = false, .rings = 26, .contrast = 0.68, .sharpness = 3.0, .waviness = 0.45, .pithDepth = 0.12,
         .depthSwing = 0.55, .fibre = 0.09, .pores = 0.4, .tintStreaks = 0.2, .mottle = 0.05},
        // Zelkova: reddish, bold cathedral figure, ring pores.
        {.seed = 0x2E, .earlywood = {216, 156, 108}, .latewood = {156, 90, 54}, .tint = {200, 126, 86},
         .rings = 24, .contrast = 0.72, .sharpness = 2.6, .waviness = 0.5, .pithDepth = 0.11, .depthSwing = 0.45,
         .fibre = 0.09, .pores = 0.5, .tintStreaks = 0.25, .mottle = 0.05},
        // Linden: very pale and quiet.
        {.seed = 0x11, .earlywood = {242, 232, 210}, .latewood = {220, 200, 166}, .tint = {234, 220, 190},
         .vertical = false, .rings = 20, .contrast = 0.32, .sharpness = 3.5, .waviness = 0.45, .fibre = 0.06,
         .tintStreaks = 0.15, .mottle = 0.03},
        // Cedar: straight pink-brown lines on pale wood, with pink heartwood streaks.
        {.seed = 0x5E, .earlywood = {238, 206, 178}, .latewood = {186, 116, 94}, .tint = {222, 160, 136},
         .rings = 22, .contrast = 0.7, .sharpness = 6.0, .waviness = 0.25, .fibre = 0.07, .tintStreaks = 0.6,
         .mottle = 0.04},
    }};
    return woods.at(static_cast<size_t>(index));
}

QImage RenderWood(const WoodSpecies& s, int size) {
    const TileNoise noise(s.seed);
    QImage image(size, size, QImage::Format_RGB32);
    for (int py = 0; py < size; ++py) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = 0; px < size; ++px) {
            // across: perpendicular to the grain; along: with it. Both in tile units.
            const double across = (s.vertical ? px : py) / double(size);
            const double along = (s.vertical ? py : px) / double(size);
            auto field = [&](int cellsAcross, int cellsAlong, int octaves, uint32_t salt) {
                return s.vertical ? noise.fractal(across, along, cellsAcross, cellsAlong, octaves, 0.5, salt)
                                  : noise.fractal(along, across, cellsAlong, cellsAcross, octaves, 0.5, salt);
            };
            // Bends vary slowly along the grain, as the growth rings of a log do.
            const double bend = s.waviness * field(4, 1, 2, 1) + 0.06 * field(24, 3, 2, 8);
            const double phase = RingPhase(s, across, along) + bend;
            const double ring = std::floor(phase);
            const double t = phase - ring;
            const int ringIndex = ((static_cast<int>(ring) % s.rings) + s.rings) % s.rings;
            const double ringStrength = 0.55 + 0.7 * HashUnit(Hash32(s.seed, static_cast<uint32_t>(ringIndex)));

            double dark = s.contrast * ringStrength * RingProfile(t, s.sharpness);
            dark += s.fibre * (0.6 * field(64, 3, 2, 3) + 0.4 * field(160, 8, 1, 4));
            if (s.pores > 0.0) {
                const double pore = field(110, 14, 1, 5);
                const double early = 1.0 - Smoothstep(0.0, 0.3, t);
                dark += s.pores * early * Smoothstep(0.35, 0.6, pore);
            }
            Rgb colour = Mix(s.earlywood, s.latewood, std::clamp(dark, -0.3, 1.0));
            const double streak = Smoothstep(-0.1, 0.6, field(5, 1, 2, 6));
            const Rgb tinted{colour.r * s.tint.r / s.earlywood.r, colour.g * s.tint.g / s.earlywood.g,
                             colour.b * s.tint.b / s.earlywood.b};
            colour = Mix(colour, tinted, s.tintStreaks * streak);
            colour = colour * (1.0 + s.mottle * field(2, 2, 3, 7));
            line[px] = ToQRgb(colour);
        }
    }
    return image;
}

}  // namespace artgen
