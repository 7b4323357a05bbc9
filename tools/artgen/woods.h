#pragma once

#include <QImage>
#include <cstdint>

#include "tools/artgen/colour.h"

namespace artgen {

// How one board wood looks. Lengths are in tile units, so any tile size repeats.
struct WoodSpecies {
    uint32_t seed = 1;
    Rgb earlywood;           // the light wood between the growth lines
    Rgb latewood;            // the darkest part of a growth line
    Rgb tint;                // colour of the slow streaks (heartwood, mineral lines)
    bool vertical = true;    // grain runs down the tile rather than across it
    int rings = 24;          // growth lines per tile unit; whole, so straight grain repeats
    double contrast = 0.5;   // how dark the growth lines get, 0..1
    double sharpness = 4.0;  // higher: thinner lines
    double waviness = 0.4;   // gentle bending of the lines, in line spacings
    // Flat-sawn boards cut the growth rings at a shallow depth below the pith, so the rings show
    // as nested arches around the pith's line; 0 gives straight (quarter-sawn) grain.
    double pithDepth = 0.0;  // depth of the pith below the surface
    double depthSwing = 0.0; // how far that depth rises and falls along the board, relative
    double fibre = 0.08;     // fine streaks along the grain
    double pores = 0.0;      // dark pore dashes in the early wood
    double tintStreaks = 0.0;// strength of the `tint` streaks
    double mottle = 0.04;    // large slow light variations
};

// A seamless square tile of the wood.
QImage RenderWood(const WoodSpecies& species, int size);

// The board woods by their index 0..6 (cypress, kaya, ginkgo, catalpa, zelkova, linden, cedar).
const WoodSpecies& BoardWood(int index);
constexpr int kBoardWoodCount = 7;

}  // namespace artgen
