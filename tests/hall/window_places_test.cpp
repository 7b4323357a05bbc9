// Where the windows of a table at this machine open: never on top of one another.

#include <gtest/gtest.h>

#include "hall/host/local_table.h"

namespace hall {
namespace {

using Shape = LocalTable::WindowShape;

// No two of `places` overlap, and each lies within `area`'s width.
void ExpectApartAndInside(const QRect& area, const std::vector<QRect>& places) {
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_GE(places[i].left(), area.left());
        EXPECT_LE(places[i].right(), area.right());
        for (size_t j = i + 1; j < places.size(); ++j) EXPECT_FALSE(places[i].intersects(places[j])) << i << " and " << j;
    }
}

TEST(WindowPlaces, TwoTablesSideBySideNarrowedToTheScreenWhereTheyMayBe) {
    const QRect wide(0, 0, 2560, 1440);
    const std::vector<QRect> roomy = LocalTable::Arrange(wide, {{QSize(1024, 768)}, {QSize(1024, 768)}});
    EXPECT_EQ(roomy[0].size(), QSize(1024, 768)) << "room enough: their own size";
    ExpectApartAndInside(wide, roomy);

    const QRect fullHd(0, 0, 1920, 1040);
    const std::vector<QRect> narrowed = LocalTable::Arrange(fullHd, {{QSize(1024, 768)}, {QSize(1024, 768)}});
    EXPECT_LT(narrowed[0].width(), 1024);
    EXPECT_GE(narrowed[0].width(), 820);
    ExpectApartAndInside(fullHd, narrowed);
    // The legacy window keeps its size; the other gives way.
    const std::vector<QRect> legacy = LocalTable::Arrange(fullHd, {{QSize(1021, 738), true}, {QSize(1024, 768)}});
    EXPECT_EQ(legacy[0].size(), QSize(1021, 738));
    ExpectApartAndInside(fullHd, legacy);
}

TEST(WindowPlaces, WhatCannotStandSideBySideFansOutWithEveryTitleInSight) {
    const QRect screen(0, 0, 1920, 1040);
    const std::vector<QRect> three =
        LocalTable::Arrange(screen, {{QSize(1024, 768)}, {QSize(1024, 768)}, {QSize(1024, 768)}});
    ASSERT_EQ(three.size(), 3u);
    for (size_t i = 1; i < three.size(); ++i) {
        EXPECT_GE(three[i].left() - three[i - 1].left(), 400) << "far enough to see the one beneath";
        EXPECT_GT(three[i].top(), three[i - 1].top());
    }
    EXPECT_LE(three.back().right(), screen.right());
}

}  // namespace
}  // namespace hall
