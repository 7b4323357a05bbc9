// The generated tables as the hall and the view read them: sorted for lookup, every entry
// decodable, and every picture the code asks for present at the size the layout assumes.

#include <gtest/gtest.h>

#include <QSize>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tests/art/art_tables.h"

namespace arttest {
namespace {

struct Table {
    const char* name;
    const hall::ResourceModule& (*module)();
    std::span<const GoResourceEntry> (*entries)();
};

class EveryTable : public ::testing::TestWithParam<Table> {};

TEST_P(EveryTable, EntriesAreStrictlySortedByKindThenNumber) {
    // Lookup is a binary search; one entry out of order hides its neighbours.
    const std::span<const GoResourceEntry> entries = GetParam().entries();
    ASSERT_FALSE(entries.empty());
    for (size_t i = 1; i < entries.size(); ++i) {
        EXPECT_LT(std::make_pair(entries[i - 1].kind, entries[i - 1].number),
                  std::make_pair(entries[i].kind, entries[i].number))
            << "at entry " << i;
    }
}

TEST_P(EveryTable, EveryEntryIsFoundByLookupAndDecodes) {
    const hall::ResourceModule& module = GetParam().module();
    for (const GoResourceEntry& entry : GetParam().entries()) {
        SCOPED_TRACE(testing::Message() << "number " << entry.number << " kind " << entry.kind);
        ASSERT_TRUE(entry.kind == GoResourcePicture || entry.kind == GoResourceCursor);
        EXPECT_EQ(module.Find(static_cast<int>(entry.number), static_cast<GoResourceKind>(entry.kind)), &entry);
        if (entry.kind == GoResourcePicture) {
            EXPECT_FALSE(QImage::fromData(entry.bytes, static_cast<int>(entry.size), "PNG").isNull());
        } else {
            QPoint hot;
            QImage image;
            ASSERT_TRUE(DecodeCursor(entry, &hot, &image));
            EXPECT_TRUE(image.rect().contains(hot)) << hot.x() << "," << hot.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, EveryTable,
                         ::testing::Values(Table{"stonemind", &Stonemind, &StonemindEntries},
                                           Table{"faces", &Faces, &FacesEntries},
                                           Table{"legacyres", &LegacyRes, &LegacyResEntries},
                                           Table{"goview", &Goview, &GoviewEntries}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StonemindTable, HoldsFourFamiliesForEveryDiameterAndNothingElse) {
    int found = 0;
    for (int d = 10; d <= 58; ++d) {
        for (int family : {200, 300, 400, 500}) {
            const QImage image = Picture(Stonemind(), family + d - 10);
            EXPECT_EQ(image.size(), QSize(d, d)) << "picture " << family + d - 10;
            found += image.isNull() ? 0 : 1;
        }
    }
    EXPECT_EQ(found, 4 * 49);
    EXPECT_EQ(StonemindEntries().size(), 4u * 49u);
}

TEST(FacesTable, HoldsTwentyFourFacesOfThirtyTwoPixels) {
    for (int n = 0; n < 24; ++n) EXPECT_EQ(Picture(Faces(), 101 + n).size(), QSize(32, 32)) << "face " << n;
    EXPECT_EQ(FacesEntries().size(), 24u);
}

struct Required {
    int number;
    int width;
    int height;
};

// Every single picture the view, its dialogs and the hall's buttons load by number.
const std::vector<Required> kSinglePictures = {
    {240, 256, 3},   {241, 3, 256},   {242, 3, 256},  {243, 256, 3},   {296, 453, 70},  {303, 120, 206},
    {5036, 120, 163}, {304, 120, 68}, {305, 120, 80}, {359, 16, 16},   {5037, 68, 30},  {5038, 56, 70},
    {5050, 143, 23}, {7000, 64, 64},  {7001, 32, 32},  {5, 32, 32},
};

// Image buttons: normal, hover, pressed, disabled, and their size.
struct RequiredButton {
    int numbers[4];
    int width;
    int height;
};
const std::vector<RequiredButton> kButtons = {
    {{600, 601, 602, 603}, 68, 30}, {{604, 605, 606, 607}, 68, 30}, {{608, 609, 610, 611}, 68, 30},
    {{612, 613, 614, 615}, 68, 30}, {{616, 617, 618, 619}, 95, 30}, {{620, 621, 622, 623}, 68, 30},
    {{624, 625, 626, 627}, 68, 30}, {{628, 629, 630, 631}, 68, 30}, {{632, 633, 634, 635}, 68, 30},
    {{195, 274, 197, 273}, 95, 30}, {{271, 270, 189, 269}, 95, 30}, {{370, 372, 373, 371}, 68, 30},
    {{374, 376, 377, 375}, 68, 30}, {{314, 316, 317, 315}, 22, 22}, {{313, 312, 310, 311}, 22, 22},
    {{227, 320, 229, 319}, 22, 22}, {{231, 324, 233, 323}, 22, 22}, {{378, 380, 381, 379}, 22, 22},
    {{644, 645, 646, 647}, 22, 22}, {{648, 649, 650, 651}, 22, 22}, {{636, 637, 638, 639}, 22, 22},
    {{640, 641, 642, 643}, 22, 22}, {{652, 653, 654, 655}, 22, 22}, {{329, 328, 326, 327}, 24, 21},
    {{656, 657, 658, 659}, 44, 22}, {{235, 396, 237, 395}, 68, 30}, {{390, 392, 393, 391}, 68, 30},
    {{405, 407, 408, 406}, 68, 30}, {{416, 415, 413, 414}, 68, 30}, {{386, 388, 389, 387}, 68, 30},
    {{219, 384, 221, 383}, 68, 30}, {{347, 346, 344, 345}, 80, 28}, {{336, 338, 339, 337}, 80, 28},
    {{340, 342, 343, 341}, 80, 28},
};

TEST(MatchviewTable, HoldsEveryPictureAtTheSizeTheLayoutAssumes) {
    for (const Required& r : kSinglePictures) {
        EXPECT_EQ(Picture(Goview(), r.number).size(), QSize(r.width, r.height)) << "picture " << r.number;
    }
    for (const RequiredButton& b : kButtons) {
        for (int number : b.numbers) {
            EXPECT_EQ(Picture(Goview(), number).size(), QSize(b.width, b.height)) << "button picture " << number;
        }
    }
}

TEST(MatchviewTable, TexturesAreTilesAndBoardWoodsAreAllThere) {
    for (int number : {238, 335}) {
        const QImage tile = Picture(Goview(), number);
        EXPECT_GE(tile.width(), 64) << number;
        EXPECT_EQ(tile.width(), tile.height()) << number;
    }
    for (int number = 360; number <= 366; ++number) {
        EXPECT_EQ(Picture(Goview(), number).size(), QSize(256, 256)) << "wood " << number;
    }
}

TEST(MatchviewTable, ButtonNumbersNeverServeTwoPictures) {
    std::set<int> seen;
    for (const Required& r : kSinglePictures) EXPECT_TRUE(seen.insert(r.number).second) << r.number;
    for (const RequiredButton& b : kButtons) {
        for (int number : b.numbers) EXPECT_TRUE(seen.insert(number).second) << number;
    }
}

TEST(MatchviewTable, HandCursorPointsWithItsFingerTip) {
    const GoResourceEntry* entry = Goview().Find(5002, GoResourceCursor);
    ASSERT_NE(entry, nullptr);
    QPoint hot;
    QImage image;
    ASSERT_TRUE(DecodeCursor(*entry, &hot, &image));
    EXPECT_EQ(image.size(), QSize(32, 32));
    image = image.convertToFormat(QImage::Format_ARGB32);
    // The hot spot is on the hand, at its top: nothing of the hand lies above it.
    EXPECT_GT(qAlpha(image.pixel(hot)), 128);
    for (int y = 0; y < hot.y(); ++y) EXPECT_LT(qAlpha(image.pixel(hot.x(), y)), 64) << "row " << y;
    EXPECT_LE(hot.y(), 3);
}

}  // namespace
}  // namespace arttest
