// What the drawing code relies on inside the pictures: stone masks that match their stones,
// transparent colours only outside the shapes, digits where the clock cuts them out, tiles that
// repeat without a seam, and button states that look like what they mean.

#include <gtest/gtest.h>

#include <QColor>
#include <array>
#include <cmath>
#include <numbers>

#include "tests/art/art_tables.h"

namespace arttest {
namespace {

constexpr QRgb kTeal = 0xFF008080u;
constexpr QRgb kYellow = 0xFFFFFF00u;
constexpr QRgb kMagenta = 0xFFFF00FFu;
constexpr QRgb kWhite = 0xFFFFFFFFu;

bool Is(QRgb pixel, QRgb colour) { return (pixel | 0xFF000000u) == colour; }

// ---- Stones ----

class StoneSize : public ::testing::TestWithParam<int> {};

TEST_P(StoneSize, MasksAreWhiteExactlyWhereTheirStonesAreTransparent) {
    const int d = GetParam();
    for (int family : {200, 400}) {
        SCOPED_TRACE(testing::Message() << (family == 200 ? "black" : "white") << " stone " << d);
        const QImage stone = Picture(Stonemind(), family + d - 10);
        const QImage mask = Picture(Stonemind(), family + 100 + d - 10);
        ASSERT_EQ(stone.size(), mask.size());
        for (int y = 0; y < d; ++y) {
            for (int x = 0; x < d; ++x) {
                const QRgb m = mask.pixel(x, y);
                const QRgb s = stone.pixel(x, y);
                ASSERT_TRUE(qRed(m) == qGreen(m) && qGreen(m) == qBlue(m)) << "grey mask at " << x << "," << y;
                const int coverage = 255 - qRed(m);
                // (dest AND mask) OR stone, and alpha = 255 - mask with colour = stone, both need
                // the stone premultiplied by the mask's coverage.
                ASSERT_LE(std::max({qRed(s), qGreen(s), qBlue(s)}), coverage) << "at " << x << "," << y;
            }
        }
    }
}

TEST_P(StoneSize, StoneIsADiscFillingItsBoxCentred) {
    const int d = GetParam();
    const QImage mask = Picture(Stonemind(), 300 + d - 10);
    // The coverage is symmetric about both axes, so the stone sits on the grid point.
    for (int y = 0; y < d; ++y) {
        for (int x = 0; x < d; ++x) {
            ASSERT_EQ(qRed(mask.pixel(x, y)), qRed(mask.pixel(d - 1 - x, y))) << x << "," << y;
            ASSERT_EQ(qRed(mask.pixel(x, y)), qRed(mask.pixel(x, d - 1 - y))) << x << "," << y;
            ASSERT_EQ(qRed(mask.pixel(x, y)), qRed(mask.pixel(y, x))) << x << "," << y;
        }
    }
    EXPECT_EQ(qRed(mask.pixel(d / 2, d / 2)), 0);
    EXPECT_EQ(qRed(mask.pixel(0, 0)), 255);
    EXPECT_LT(qRed(mask.pixel(0, d / 2)), 255) << "the stone reaches the edge of its box";
    double area = 0;
    for (int y = 0; y < d; ++y) {
        for (int x = 0; x < d; ++x) area += (255 - qRed(mask.pixel(x, y))) / 255.0;
    }
    EXPECT_NEAR(area, std::numbers::pi * d * d / 4.0, 0.02 * d * d) << "diameter " << d;
}

TEST_P(StoneSize, BlackFamiliesAreDarkAndWhiteFamiliesLight) {
    const int d = GetParam();
    auto innerLuma = [d](int family) {
        const QImage stone = Picture(Stonemind(), family + d - 10);
        const QImage mask = Picture(Stonemind(), family + 100 + d - 10);
        double sum = 0;
        int count = 0;
        for (int y = 0; y < d; ++y) {
            for (int x = 0; x < d; ++x) {
                if (qRed(mask.pixel(x, y)) != 0) continue;
                sum += qGray(stone.pixel(x, y));
                ++count;
            }
        }
        return sum / count;
    };
    EXPECT_LT(innerLuma(200), 80.0);
    EXPECT_GT(innerLuma(400), 180.0);
}

INSTANTIATE_TEST_SUITE_P(EveryDiameter, StoneSize, ::testing::Range(10, 59));

// ---- Transparent colours ----

// A shape on a transparent colour: the colour lies all around it, touches the border, never
// shows inside it, and leaves no near-miss fringe that would stay visible once cut out.
void ExpectKeyedShape(const QImage& image, QRgb key) {
    ASSERT_FALSE(image.isNull());
    const int w = image.width(), h = image.height();
    EXPECT_TRUE(Is(image.pixel(0, 0), key));
    EXPECT_TRUE(Is(image.pixel(w - 1, h - 1), key));
    EXPECT_FALSE(Is(image.pixel(w / 2, h / 2), key));
    EXPECT_EQ(EnclosedKeyPixels(image, key), 0);
    EXPECT_EQ(NearKeyPixels(image, key, 40), 0);
}

TEST(KeyedColours, StartButtonIsMagentaOnlyOutsideTheButton) {
    SCOPED_TRACE("5038");
    ExpectKeyedShape(Picture(Goview(), 5038), kMagenta);
}

TEST(KeyedColours, FacesAreTealOnlyAroundTheFigure) {
    for (int n = 101; n <= 124; ++n) {
        SCOPED_TRACE(testing::Message() << "face " << n);
        ExpectKeyedShape(Picture(Faces(), n), kTeal);
    }
}

TEST(KeyedColours, BadgeIsYellowOnlyAroundTheStar) {
    SCOPED_TRACE("359");
    ExpectKeyedShape(Picture(Goview(), 359), kYellow);
}

TEST(ClockDigits, EachGlyphStaysInsideItsThirteenPixelCell) {
    const QImage strip = Picture(Goview(), 5050);
    ASSERT_EQ(strip.size(), QSize(143, 23));
    std::array<int, 11> ink{};
    for (int glyph = 0; glyph < 11; ++glyph) {
        const int left = glyph * 13;
        for (int y = 0; y < 23; ++y) {
            // The cell's outer columns stay clear, so neighbouring glyphs never bleed into a cut.
            EXPECT_TRUE(Is(strip.pixel(left, y), kWhite)) << "glyph " << glyph << " row " << y;
            EXPECT_TRUE(Is(strip.pixel(left + 12, y), kWhite)) << "glyph " << glyph << " row " << y;
            for (int x = left; x < left + 13; ++x) ink[static_cast<size_t>(glyph)] += Is(strip.pixel(x, y), kWhite) ? 0 : 1;
        }
    }
    // Digit k at x = 13k: "1" has the fewest segments, "8" all of them, the colon least ink.
    EXPECT_GE(ink[1], 1);
    for (int digit = 0; digit < 10; ++digit) {
        if (digit != 1) {
            EXPECT_GT(ink[static_cast<size_t>(digit)], ink[1]) << digit;
        }
        if (digit != 8) {
            EXPECT_LT(ink[static_cast<size_t>(digit)], ink[8]) << digit;
        }
        EXPECT_GT(ink[static_cast<size_t>(digit)], ink[10]) << digit;
    }
    EXPECT_GT(ink[10], 0);
}

TEST(ClockDigits, GlyphsHaveNoWhiteOrNearWhitePixels) {
    // Anything close to white would survive the cut as a pale speck around the digits.
    EXPECT_EQ(NearKeyPixels(Picture(Goview(), 5050), kWhite, 24), 0);
}

// ---- Tiles ----

TEST(Tiles, RepeatWithoutASeam) {
    for (int number : {238, 335, 360, 361, 362, 363, 364, 365, 366}) {
        EXPECT_TRUE(RepeatsWithoutSeam(Picture(Goview(), number))) << "tile " << number;
    }
}

TEST(Tiles, BoardWoodsAreLightEnoughForTheGridAndDifferFromEachOther) {
    std::array<QColor, 7> means;
    for (int i = 0; i < 7; ++i) {
        const QImage wood = Picture(Goview(), 360 + i);
        EXPECT_GT(MeanLuma(wood), 150.0) << "wood " << 360 + i;
        const QImage one = wood.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        means[static_cast<size_t>(i)] = QColor(one.pixel(0, 0));
    }
    for (size_t a = 0; a < means.size(); ++a) {
        for (size_t b = a + 1; b < means.size(); ++b) {
            const int distance = std::abs(means[a].red() - means[b].red()) +
                                 std::abs(means[a].green() - means[b].green()) +
                                 std::abs(means[a].blue() - means[b].blue());
            EXPECT_GT(distance, 12) << "woods " << 360 + a << " and " << 360 + b;
        }
    }
}

TEST(Tiles, DialogPaperIsLightAndTheWindowDark) {
    EXPECT_GT(MeanLuma(Picture(Goview(), 335)), 200.0);
    EXPECT_LT(MeanLuma(Picture(Goview(), 238)), 80.0);
}

// ---- Buttons ----

struct ButtonStates {
    int normal, hover, pressed, disabled;
};

TEST(ButtonStates, HoverIsBrighterPressedDarkerDisabledGreyer) {
    const std::array<ButtonStates, 34> buttons = {{
        {600, 601, 602, 603}, {604, 605, 606, 607}, {608, 609, 610, 611}, {612, 613, 614, 615},
        {616, 617, 618, 619}, {620, 621, 622, 623}, {624, 625, 626, 627}, {628, 629, 630, 631},
        {632, 633, 634, 635}, {195, 274, 197, 273}, {271, 270, 189, 269}, {370, 372, 373, 371},
        {374, 376, 377, 375}, {314, 316, 317, 315}, {313, 312, 310, 311}, {227, 320, 229, 319},
        {231, 324, 233, 323}, {378, 380, 381, 379}, {644, 645, 646, 647}, {648, 649, 650, 651},
        {636, 637, 638, 639}, {640, 641, 642, 643}, {652, 653, 654, 655}, {329, 328, 326, 327},
        {656, 657, 658, 659}, {235, 396, 237, 395}, {390, 392, 393, 391}, {405, 407, 408, 406},
        {416, 415, 413, 414}, {386, 388, 389, 387}, {219, 384, 221, 383}, {347, 346, 344, 345},
        {336, 338, 339, 337}, {340, 342, 343, 341},
    }};
    for (const ButtonStates& b : buttons) {
        SCOPED_TRACE(testing::Message() << "button " << b.normal);
        const QImage normal = Picture(Goview(), b.normal);
        EXPECT_GT(MeanLuma(Picture(Goview(), b.hover)), MeanLuma(normal) + 3.0);
        EXPECT_LT(MeanLuma(Picture(Goview(), b.pressed)), MeanLuma(normal) - 3.0);
        EXPECT_LT(MeanSaturation(Picture(Goview(), b.disabled)), MeanSaturation(normal) * 0.5);
    }
}

TEST(ButtonStates, PressedContentMovesDownAndRight) {
    // The caption's ink: pixels clearly lighter than the button body.
    auto inkCentre = [](const QImage& image) {
        double x = 0, y = 0, n = 0;
        for (int row = 3; row < image.height() - 3; ++row) {
            for (int col = 3; col < image.width() - 3; ++col) {
                if (qGray(image.pixel(col, row)) < 150) continue;
                x += col;
                y += row;
                ++n;
            }
        }
        return QPointF(x / n, y / n);
    };
    const QPointF normal = inkCentre(Picture(Goview(), 600));
    const QPointF pressed = inkCentre(Picture(Goview(), 602));
    EXPECT_NEAR(pressed.x() - normal.x(), 1.0, 0.35);
    EXPECT_NEAR(pressed.y() - normal.y(), 1.0, 0.35);
}

}  // namespace
}  // namespace arttest
