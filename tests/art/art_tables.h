#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <memory>
#include <span>

#include "sdk/kit/resource_module.h"

namespace arttest {

// The generated tables, opened the way the product opens them: the stone, face and legacy Res
// modules by loading their libraries, the plug-in's own table as linked in.
const hall::ResourceModule& Stonemind();
const hall::ResourceModule& Faces();
const hall::ResourceModule& LegacyRes();
const hall::ResourceModule& Goview();

// The raw entries of the tables, straight from their table functions (the modules' exported
// GoResourceTable, resolved by name).
std::span<const GoResourceEntry> StonemindEntries();
std::span<const GoResourceEntry> FacesEntries();
std::span<const GoResourceEntry> LegacyResEntries();
std::span<const GoResourceEntry> GoviewEntries();

// A picture of a table, decoded; a null image when the number is missing.
QImage Picture(const hall::ResourceModule& module, int number);

// A cursor entry split into its hot spot and decoded picture; false when missing or malformed.
bool DecodeCursor(const GoResourceEntry& entry, QPoint* hotSpot, QImage* image);

// Pixels of `image` equal to `key` (alpha ignored) that cannot be reached from the border
// through other `key` pixels: holes of the transparent colour inside a shape.
int EnclosedKeyPixels(const QImage& image, QRgb key);

// Pixels that are close to `key` without being it: a fringe that would show around a shape once
// the key is cut out.
int NearKeyPixels(const QImage& image, QRgb key, int distance);

// Whether a tile joins its own copies (right to left, bottom to top) without a seam: the step
// across each join is no bigger than the steps beside it, as in a continuous picture.
bool RepeatsWithoutSeam(const QImage& tile);

// Average Rec. 601 luma over the pixels, weighted by alpha.
double MeanLuma(const QImage& image);
// Average HSV saturation (0..255) over the opaque pixels.
double MeanSaturation(const QImage& image);

}  // namespace arttest
