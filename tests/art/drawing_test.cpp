// The drawing itself, beyond the three tables: other sizes, every wood at other tile sizes, and
// runs that repeat exactly.

#include <gtest/gtest.h>

#include "tests/art/art_tables.h"
#include "tools/artgen/sets.h"
#include "tools/artgen/stones.h"
#include "tools/artgen/table_writer.h"
#include "tools/artgen/woods.h"

namespace artgen {
namespace {

class AnyStoneSize : public ::testing::TestWithParam<int> {};

TEST_P(AnyStoneSize, StoneStaysWithinItsMaskAndCentred) {
    const int d = GetParam();
    for (StoneColour colour : {StoneColour::Black, StoneColour::White}) {
        const StonePicture stone = RenderStone(colour, d);
        ASSERT_EQ(stone.stone.size(), QSize(d, d));
        ASSERT_EQ(stone.mask.size(), QSize(d, d));
        for (int y = 0; y < d; ++y) {
            for (int x = 0; x < d; ++x) {
                const int coverage = 255 - qRed(stone.mask.pixel(x, y));
                const QRgb s = stone.stone.pixel(x, y);
                ASSERT_LE(std::max({qRed(s), qGreen(s), qBlue(s)}), coverage) << x << "," << y;
                ASSERT_EQ(coverage, 255 - qRed(stone.mask.pixel(d - 1 - x, d - 1 - y))) << x << "," << y;
            }
        }
        const QImage combined = StoneWithAlpha(stone);
        EXPECT_EQ(qAlpha(combined.pixel(d / 2, d / 2)), 255 - qRed(stone.mask.pixel(d / 2, d / 2)));
    }
}

INSTANTIATE_TEST_SUITE_P(OutsideTheTable, AnyStoneSize, ::testing::Values(1, 2, 3, 7, 59, 64, 97));

TEST(Woods, EverySpeciesTilesWithoutSeamAtOtherSizes) {
    for (int index = 0; index < kBoardWoodCount; ++index) {
        for (int size : {64, 128}) {
            EXPECT_TRUE(arttest::RepeatsWithoutSeam(RenderWood(BoardWood(index), size))) << "wood " << index << " at " << size;
        }
    }
}

TEST(Sets, UnknownNameGivesNothing) { EXPECT_TRUE(RenderSet(QStringLiteral("woodcuts")).empty()); }

TEST(Sets, EveryRunDrawsTheSameBytes) {
    // Builds must be reproducible: no unseeded randomness, no state carried between pictures.
    for (const QString& name : SetNames()) {
        const PictureList first = RenderSet(name);
        const PictureList second = RenderSet(name);
        ASSERT_EQ(first.size(), second.size()) << qPrintable(name);
        for (size_t i = 0; i < first.size(); ++i) {
            ASSERT_EQ(first[i].number, second[i].number);
            EXPECT_EQ(EncodePng(first[i].image), EncodePng(second[i].image))
                << qPrintable(name) << " picture " << first[i].number;
        }
    }
}

}  // namespace
}  // namespace artgen
