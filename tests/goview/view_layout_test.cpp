#include "goview/view/view_layout.h"

#include <gtest/gtest.h>

namespace goview {
namespace {

TEST(ViewLayoutBoard, BigBoardSixHundredByFourHundred) {
    const ViewLayout l = ViewLayout::Compute(600, 400, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full);
    EXPECT_EQ(l.board.Square(), (Box{129, 10, 490, 371}));
    EXPECT_EQ(l.board.Cell(), 19);
    EXPECT_EQ(l.board.StoneSize(), 17);
    EXPECT_EQ(l.board.PointX(0), 129 + 9);
    EXPECT_EQ(l.board.PointY(18), 10 + 9 + 18 * 19);
}

TEST(ViewLayoutBoard, StoneSizeStaysBetweenTenAndFiftyEight) {
    EXPECT_EQ(ViewLayout::Compute(240, 240, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full).board.StoneSize(), 10) << "spacing below 12";
    const ViewLayout huge = ViewLayout::Compute(1400, 1400, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full);
    EXPECT_GT(huge.board.Cell(), 60);
    EXPECT_EQ(huge.board.StoneSize(), 58);
}

// A board whose cell is `cell` pixels.
BoardGeometry WithCell(int cell) { return BoardGeometry::Fit(Box{0, 0, 19 * cell + 10, 19 * cell + 10}); }

TEST(ViewLayoutBoard, StoneAndMarkerSidesFollowTheCell) {
    EXPECT_EQ(WithCell(24).MarkerSize(), 8);
    EXPECT_EQ(WithCell(80).MarkerSize(), 50);
    EXPECT_EQ(WithCell(40).MarkerSize(), 25);
    // The sizes the study window's board meets at its extremes.
    EXPECT_EQ(WithCell(11).Cell(), 11);
    EXPECT_EQ(WithCell(11).StoneSize(), 10);
    EXPECT_EQ(WithCell(11).MarkerSize(), 8);
    EXPECT_EQ(WithCell(70).StoneSize(), 58);
    EXPECT_EQ(WithCell(70).MarkerSize(), 55);
    EXPECT_EQ(WithCell(80).StoneSize(), 58);
}

TEST(ViewLayoutBoard, ClicksMapByIntegerDivisionWithTheFarEdgesOutside) {
    const ViewLayout l = ViewLayout::Compute(600, 400, ViewLayout::BoardArea::BoardAlone, ViewLayout::Panels::Full);
    int x = -1;
    int y = -1;
    ASSERT_TRUE(l.board.PointAt(129, 10, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(l.board.PointAt(489, 370, x, y));
    EXPECT_EQ(x, 18);
    EXPECT_EQ(y, 18);
    ASSERT_TRUE(l.board.PointAt(129 + 19, 10 + 18, x, y));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0);
    EXPECT_FALSE(l.board.PointAt(490, 100, x, y));
    EXPECT_FALSE(l.board.PointAt(200, 371, x, y));
    EXPECT_FALSE(l.board.PointAt(128, 100, x, y));
}

TEST(ViewLayoutPanels, NormalLayoutAtTenTwentyFourBySevenSixtyEight) {
    const ViewLayout l = ViewLayout::Compute(1024, 768, ViewLayout::BoardArea::WithPanels, ViewLayout::Panels::Full);
    EXPECT_EQ(l.bottomBar, (Box{125, 678, 1019, 763}));
    EXPECT_EQ(l.toolbar, (Box{345, 685, 798, 755}));
    EXPECT_EQ(l.board.Square(), (Box{258, 10, 904, 655}));
    EXPECT_EQ(l.board.Cell(), 34);
    EXPECT_EQ(l.board.StoneSize(), 32);
    EXPECT_EQ(l.toolbarButtons[0], (Box{349, 689, 417, 719}));
    EXPECT_EQ(l.toolbarButtons[3].width(), 95) << "the fourth column is wider";
    EXPECT_EQ(l.toolbarButtons[6], (Box{349, 719, 417, 749}));
    EXPECT_EQ(l.startButton, (Box{287, 685, 343, 755}));
    EXPECT_EQ(l.upperPanel, (Box{2, 123, 122, 329}));
    EXPECT_EQ(l.lowerPanel, (Box{2, 349, 122, 555}));
    EXPECT_EQ(l.buttonPanel, (Box{2, 590, 122, 658}));
    EXPECT_EQ(l.statusPanel, (Box{2, 2, 122, 82}));
    EXPECT_EQ(l.SeatFrame(l.lowerPanel), (Box{22, 354, 92, 474}));
}

TEST(ViewLayoutPanels, CompactLayoutPanels) {
    const ViewLayout l = ViewLayout::Compute(900, 650, ViewLayout::BoardArea::WithPanels, ViewLayout::Panels::Compact);
    EXPECT_EQ(l.upperPanel.height(), 163);
    EXPECT_EQ(l.upperPanel, (Box{2, 64, 122, 227}));
    EXPECT_EQ(l.lowerPanel, (Box{2, 320, 122, 483}));
    EXPECT_EQ(l.statusPanel, (Box{2, 233, 122, 313}));
    EXPECT_EQ(l.SeatFrame(l.upperPanel), (Box{22, 69, 72, 139}));
}

}  // namespace
}  // namespace goview
