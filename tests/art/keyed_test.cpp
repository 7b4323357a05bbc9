// Pictures with a transparent colour: the key must appear exactly outside the shape.

#include <gtest/gtest.h>

#include "tools/artgen/keyed.h"

namespace artgen {
namespace {

constexpr QRgb kKey = 0xFFFF00FFu;

QImage OnePixel(QRgb premultiplied) {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.setPixel(0, 0, premultiplied);
    return image;
}

QRgb Flattened(QRgb premultiplied, const QColor& underlay = QColor(20, 30, 40)) {
    const QImage out = FlattenOnKey(OnePixel(premultiplied), kKey, underlay);
    EXPECT_FALSE(out.hasAlphaChannel());
    return out.pixel(0, 0) | 0xFF000000u;
}

TEST(FlattenOnKey, OpaquePixelsKeepTheirColour) { EXPECT_EQ(Flattened(qRgba(10, 200, 30, 255)), qRgb(10, 200, 30)); }

TEST(FlattenOnKey, LessThanHalfCoveredBecomesTheKey) {
    EXPECT_EQ(Flattened(qRgba(0, 0, 0, 0)), kKey);
    EXPECT_EQ(Flattened(qRgba(60, 60, 60, 127)), kKey);
}

TEST(FlattenOnKey, EdgesAreComposedOverTheUnderlayNotTheKey) {
    // Half of (200, 100, 0) over (20, 30, 40): no trace of magenta in the edge.
    const QRgb edge = Flattened(qRgba(100, 50, 0, 128), QColor(20, 30, 40));
    EXPECT_NEAR(qRed(edge), 110, 1);
    EXPECT_NEAR(qGreen(edge), 65, 1);
    EXPECT_NEAR(qBlue(edge), 20, 1);
}

TEST(FlattenOnKey, APaintedKeyColourIsMovedOffTheKey) {
    const QRgb inside = Flattened(qRgba(255, 0, 255, 255));
    EXPECT_NE(inside, kKey);
    EXPECT_LE(std::abs(qRed(inside) - 255) + std::abs(qGreen(inside)) + std::abs(qBlue(inside) - 255), 2);
}

TEST(TransparentCanvas, StartsFullyTransparent) {
    const QImage canvas = TransparentCanvas(3, 2);
    EXPECT_EQ(canvas.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(qAlpha(canvas.pixel(x, y)), 0);
    }
}

}  // namespace
}  // namespace artgen
